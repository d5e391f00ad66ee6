#include "PageNesting.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <array>
#include <cctype>

namespace PageNesting {

namespace {

bool isOneOf(QByteArrayView name, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(), [name](const char *n) { return name == QByteArrayView(n); });
}

bool isVoid(QByteArrayView name)
{
    return isOneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source", "track", "wbr", "keygen", "basefont", "frame"});
}

// Elements whose text holds no markup: it runs to their end tag.
bool holdsRawText(QByteArrayView name)
{
    return isOneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"});
}

// An open element that a new one of `name` ends, stopping at the element that holds both.
struct ImpliedEnd {
    const char *opening;
    std::initializer_list<const char *> ends;
    std::initializer_list<const char *> within;
};

const std::array<ImpliedEnd, 8> ImpliedEnds = {{
    {"td", {"td", "th"}, {"tr", "table"}},
    {"th", {"td", "th"}, {"tr", "table"}},
    {"tr", {"tr", "td", "th"}, {"table", "tbody", "thead", "tfoot"}},
    {"li", {"li"}, {"ul", "ol"}},
    {"dt", {"dt", "dd"}, {"dl"}},
    {"dd", {"dt", "dd"}, {"dl"}},
    {"option", {"option"}, {"select", "datalist"}},
    {"p", {"p"}, {"div", "td", "th", "li", "body", "table"}},
}};

class Reader
{
public:
    Reader(QByteArrayView html, int stopAt)
        : m_html(html)
        , m_stopAt(stopAt)
    {
    }

    int deepest()
    {
        qsizetype at = 0;
        while (at < m_html.size() && m_deepest <= m_stopAt) {
            const qsizetype open = m_html.indexOf('<', at);
            if (open < 0)
                break;
            at = markup(open);
        }
        return std::min(m_deepest, m_stopAt + 1);
    }

private:
    // Reads the markup that starts at `open` and gives where the text after it starts.
    qsizetype markup(qsizetype open)
    {
        const QByteArrayView rest = m_html.sliced(open);
        if (rest.startsWith("<!--")) {
            const qsizetype end = m_html.indexOf("-->", open + 4);
            return end < 0 ? m_html.size() : end + 3;
        }
        if (rest.startsWith("<!") || rest.startsWith("<?"))
            return tagEnd(open);
        const bool closing = rest.startsWith("</");
        const qsizetype nameStart = open + (closing ? 2 : 1);
        qsizetype nameEnd = nameStart;
        while (nameEnd < m_html.size() && (std::isalnum(static_cast<unsigned char>(m_html.at(nameEnd))) || m_html.at(nameEnd) == '-'))
            ++nameEnd;
        if (nameEnd == nameStart)
            return open + 1; // a "<" in the text
        const QByteArray name = m_html.sliced(nameStart, nameEnd - nameStart).toByteArray().toLower();
        const qsizetype end = tagEnd(nameEnd);
        if (closing) {
            close(name);
            return end;
        }
        if (isVoid(name) || (end >= 2 && m_html.at(end - 2) == '/'))
            return end;
        if (holdsRawText(name)) {
            const qsizetype endTag = QByteArrayView(m_html).indexOf("</" + name, end); // case as written is rare
            return endTag < 0 ? m_html.size() : tagEnd(endTag);
        }
        opened(name);
        return end;
    }

    // The position after the ">" that ends a tag, quoted attribute values read over.
    qsizetype tagEnd(qsizetype from) const
    {
        char quote = 0;
        for (qsizetype at = from; at < m_html.size(); ++at) {
            const char c = m_html.at(at);
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return at + 1;
            }
        }
        return m_html.size();
    }

    void opened(const QByteArray &name)
    {
        for (const ImpliedEnd &rule : ImpliedEnds) {
            if (name == QByteArrayView(rule.opening))
                endImplied(rule);
        }
        m_open.append(name);
        m_deepest = std::max(m_deepest, int(m_open.size()));
    }

    // Closes the outermost element the rule ends above the element that holds both, and all
    // inside it (a new row ends the open row and its cell).
    void endImplied(const ImpliedEnd &rule)
    {
        qsizetype outermost = -1;
        for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
            const QByteArrayView name = m_open.at(i);
            if (isOneOf(name, rule.within))
                break;
            if (isOneOf(name, rule.ends))
                outermost = i;
        }
        if (outermost >= 0)
            m_open.resize(outermost);
    }

    // An end tag closes its element and all opened inside it; one with no open element is ignored.
    void close(const QByteArray &name)
    {
        for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
            if (m_open.at(i) == name) {
                m_open.resize(i);
                return;
            }
        }
    }

    QByteArrayView m_html;
    int m_stopAt;
    QList<QByteArray> m_open;
    int m_deepest = 0;
};

} // namespace

int depth(QByteArrayView html, int stopAt)
{
    return Reader(html, stopAt).deepest();
}

} // namespace PageNesting
