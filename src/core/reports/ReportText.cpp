#include "ReportText.h"

namespace {

// Appends one character of a QString (a surrogate pair counts as one): ASCII as it is,
// anything above 127 as a numeric entity of its code point.
inline qsizetype appendEncoded(QByteArray &out, QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (c < 128) {
        out.append(char(c));
        return i + 1;
    }
    char32_t code = c;
    qsizetype next = i + 1;
    if (QChar::isHighSurrogate(c) && next < text.size() && QChar::isLowSurrogate(text[next].unicode())) {
        code = QChar::surrogateToUcs4(c, text[next].unicode());
        ++next;
    }
    out.append("&#").append(QByteArray::number(uint(code))).append(';');
    return next;
}

// Walks a value: escapes, line breaks made CR LF, the rest handed to put(text, index) which
// returns the index after what it took.
template <typename Put, typename Literal>
void escapeValue(QStringView text, Put put, Literal literal)
{
    qsizetype i = 0;
    while (i < text.size()) {
        switch (text[i].unicode()) {
        case u'&': literal("&amp;"); ++i; break;
        case u'<': literal("&lt;"); ++i; break;
        case u'>': literal("&gt;"); ++i; break;
        case u'"': literal("&quot;"); ++i; break;
        case u'\n': literal("\r\n"); ++i; break;
        case u'\r':
            literal("\r\n");
            i += (i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
            break;
        default: i = put(i); break;
        }
    }
}

} // namespace

ReportText &ReportText::markup(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size())
        i = appendEncoded(m_bytes, text, i);
    return *this;
}

ReportText &ReportText::markup(QLatin1StringView text)
{
    for (const char c : text) {
        if (uchar(c) < 128)
            m_bytes.append(c);
        else
            m_bytes.append("&#").append(QByteArray::number(uint(uchar(c)))).append(';');
    }
    return *this;
}

ReportText &ReportText::value(QStringView text)
{
    escapeValue(
        text, [&](qsizetype i) { return appendEncoded(m_bytes, text, i); },
        [&](const char *literal) { m_bytes.append(literal); });
    return *this;
}

ReportText &ReportText::number(qint64 value)
{
    m_bytes.append(QByteArray::number(value));
    return *this;
}

void ReportText::end()
{
    m_bytes.append("\r\n");
}

void ReportText::endWithBreak()
{
    m_bytes.append("\r\n\r\n");
}

QString htmlEscape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    escapeValue(
        text,
        [&](qsizetype i) {
            out.append(text[i]);
            return i + 1;
        },
        [&](const char *literal) { out.append(QLatin1StringView(literal)); });
    return out;
}
