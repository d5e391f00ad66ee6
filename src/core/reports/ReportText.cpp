#include "ReportText.h"

#include <algorithm>

namespace {

// The longest a character of a QString becomes: "&#1114111;" for the last code point.
constexpr qsizetype MaxBytesPerChar = 10;

// Writes one character of a QString (a surrogate pair counts as one): ASCII as it is,
// anything above 127 as a numeric entity of its code point. A NUL stored in a field is written
// as the replacement character, as invalid UTF-8 already reads, never as a 0 byte.
inline char *putEncoded(char *out, QStringView text, qsizetype &i)
{
    const char16_t c = text[i++].unicode();
    if (c < 128 && c != 0) {
        *out++ = char(c);
        return out;
    }
    char32_t code = c == 0 ? char32_t(QChar::ReplacementCharacter) : char32_t(c);
    if (QChar::isHighSurrogate(c) && i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
        code = QChar::surrogateToUcs4(c, text[i++].unicode());
    char digits[8];
    int n = 0;
    do {
        digits[n++] = char('0' + code % 10);
        code /= 10;
    } while (code);
    *out++ = '&';
    *out++ = '#';
    while (n)
        *out++ = digits[--n];
    *out++ = ';';
    return out;
}

template<std::size_t N>
inline char *putLiteral(char *out, const char (&literal)[N])
{
    return std::copy(literal, literal + N - 1, out);
}

// Walks a value: & < > " escaped, line breaks made CR LF; every other character goes to put,
// which takes it at index i and advances i.
template<typename Put, typename Literal>
void escapeValue(QStringView text, Put put, Literal literal)
{
    qsizetype i = 0;
    while (i < text.size()) {
        switch (text[i].unicode()) {
        case u'&':
            literal("&amp;");
            ++i;
            break;
        case u'<':
            literal("&lt;");
            ++i;
            break;
        case u'>':
            literal("&gt;");
            ++i;
            break;
        case u'"':
            literal("&quot;");
            ++i;
            break;
        case u'\n':
            literal("\r\n");
            ++i;
            break;
        case u'\r':
            literal("\r\n");
            i += (i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
            break;
        default: put(i); break;
        }
    }
}

} // namespace

char *ReportText::room(qsizetype n)
{
    if (m_bytes.size() - m_size < n)
        m_bytes.resize(std::max(m_size + n, m_bytes.size() * 2));
    return m_bytes.data() + m_size;
}

ReportText &ReportText::markup(QStringView text)
{
    char *out = room(text.size() * MaxBytesPerChar);
    qsizetype i = 0;
    while (i < text.size())
        out = putEncoded(out, text, i);
    m_size = out - m_bytes.data();
    return *this;
}

ReportText &ReportText::markup(QLatin1StringView text)
{
    char *out = room(text.size() * MaxBytesPerChar);
    for (const char c : text) {
        if (uchar(c) < 128) {
            *out++ = c;
        } else {
            const QString one(QChar::fromLatin1(c));
            qsizetype i = 0;
            out = putEncoded(out, one, i);
        }
    }
    m_size = out - m_bytes.data();
    return *this;
}

ReportText &ReportText::value(QStringView text)
{
    char *out = room(text.size() * MaxBytesPerChar);
    escapeValue(
        text, [&](qsizetype &i) { out = putEncoded(out, text, i); },
        [&](const auto &literal) { out = putLiteral(out, literal); });
    m_size = out - m_bytes.data();
    return *this;
}

ReportText &ReportText::number(qint64 value)
{
    return markup(QLatin1StringView(QByteArray::number(value)));
}

ReportText &ReportText::encoded(QByteArrayView bytes)
{
    m_size = std::copy(bytes.begin(), bytes.end(), room(bytes.size())) - m_bytes.data();
    return *this;
}

void ReportText::end()
{
    m_size = putLiteral(room(2), "\r\n") - m_bytes.data();
}

void ReportText::endWithBreak()
{
    m_size = putLiteral(room(4), "\r\n\r\n") - m_bytes.data();
}

QByteArray ReportText::take()
{
    m_bytes.truncate(m_size);
    m_size = 0;
    return std::move(m_bytes);
}

QString htmlEscape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    escapeValue(
        text, [&](qsizetype &i) { out.append(text[i++]); },
        [&](const auto &literal) { out.append(QLatin1StringView(literal)); });
    return out;
}
