#include "CsvText.h"

#include "LineEnds.h"

#include <QStringDecoder>

namespace {

const QChar Apostrophe = u'\'';

// Whether a spreadsheet would read the text as a formula once its leading apostrophes are gone.
bool startsFormula(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text.at(at) == Apostrophe)
        ++at;
    if (at == text.size())
        return false;
    const QChar first = text.at(at);
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' || first == u'\r';
}

} // namespace

namespace Csv {

QString guarded(const QString &text)
{
    return startsFormula(text) ? Apostrophe + text : text;
}

QString unguarded(const QString &text)
{
    return text.startsWith(Apostrophe) && startsFormula(QStringView(text).mid(1)) ? text.mid(1) : text;
}

QByteArray field(const QString &text)
{
    QString cell = LineEnds::unified(text).replace(u'\n', QStringLiteral("\r\n"));
    cell.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter)); // as invalid UTF-8 reads
    cell = guarded(cell);
    if (cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n')) {
        cell.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        cell = u'"' + cell + u'"';
    }
    return cell.toUtf8();
}

QChar separatorOf(QStringView text)
{
    const QChar candidates[] = {u',', u';', u'\t'};
    int counts[3] = {};
    bool inQuotes = false;
    for (const QChar c : text) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (c == u'\r' || c == u'\n'))
            break;
        else if (!inQuotes)
            for (int i = 0; i < 3; ++i)
                counts[i] += c == candidates[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates[best];
}

bool parse(const QByteArray &bytes, QVector<Record> *records, QString *error)
{
    QByteArrayView data(bytes);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(data);
    if (decoder.hasError() || data.contains('\0')) {
        *error = QStringLiteral("This file is not a CSV text in UTF-8");
        return false;
    }
    const QChar separator = separatorOf(text);
    records->clear();
    Record record {1, {}};
    QString field;
    bool inQuotes = false;
    int line = 1;
    int quoteLine = 0;
    auto endField = [&] {
        record.fields << unguarded(field);
        field.clear();
    };
    auto endRecord = [&] {
        endField();
        if (record.fields.size() > 1 || !record.fields.first().isEmpty())
            records->append(record);
        record = {line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        const bool lineBreak = c == u'\n' || (c == u'\r' && next != u'\n');
        if (inQuotes) {
            if (c != u'"')
                field += c;
            else if (next == u'"')
                field += text.at(++i);
            else
                inQuotes = false;
            line += lineBreak;
        } else if (c == u'"' && field.isEmpty()) {
            inQuotes = true;
            quoteLine = line;
        } else if (c == separator) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            line += lineBreak;
            if (lineBreak)
                endRecord();
        } else {
            field += c;
        }
    }
    if (inQuotes) {
        *error = QStringLiteral("A quoted value that begins on line %1 is never closed").arg(quoteLine);
        return false;
    }
    if (!field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return true;
}

} // namespace Csv
