#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The text of a report file: plain ASCII, every character above 127 written as a numeric
// entity (&#N;), every line ended with CR LF. Values from the database or the item list are
// HTML-escaped (& < > ") and keep their line breaks, written as CR LF; the program's own
// markup is written as it stands.
class ReportText
{
public:
    // The program's own markup.
    ReportText &markup(QStringView text);
    ReportText &markup(QLatin1StringView text);
    // A value from the database or the item list.
    ReportText &value(QStringView text);
    ReportText &number(qint64 value);
    // Bytes already in the file's form (taken from another ReportText).
    ReportText &encoded(QByteArrayView bytes);

    // Ends a line.
    void end();
    // Ends a line whose text itself ends with a line break, so an empty line follows.
    void endWithBreak();

    // The file's bytes so far; the text is left empty.
    QByteArray take();

private:
    // Room for n more bytes at the end; returns where they go. Write them, then set m_size.
    char *room(qsizetype n);

    QByteArray m_bytes; // holds m_size bytes of text, then spare room
    qsizetype m_size = 0;
};

// A value as markup: & < > " escaped, line breaks as CR LF. Characters above 127 stay as they
// are (ReportText writes them as entities).
QString htmlEscape(QStringView text);
