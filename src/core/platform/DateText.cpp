#include "DateText.h"

#include <QLocale>
#include <QStringList>

namespace {

enum class Part { Day,
                  Month,
                  Year };

struct ShortForm {
    Part order[3];
    QString pattern;
};

// Reads the order of day, month and year from the locale's short date format and rebuilds it
// with "/" separators and a four-digit year, keeping the locale's choice of leading zeros.
ShortForm shortForm()
{
    const QString localeFormat = QLocale().dateFormat(QLocale::ShortFormat);
    ShortForm form {{Part::Month, Part::Day, Part::Year}, QString()};
    QStringList pieces;
    int found = 0;
    for (int i = 0; i < localeFormat.size() && found < 3;) {
        const QChar c = localeFormat.at(i);
        int run = 1;
        while (i + run < localeFormat.size() && localeFormat.at(i + run) == c)
            ++run;
        if (c == u'd' && run <= 2) {
            form.order[found++] = Part::Day;
            pieces << QString(run, u'd');
        } else if (c == u'M' && run <= 2) {
            form.order[found++] = Part::Month;
            pieces << QString(run, u'M');
        } else if (c == u'y') {
            form.order[found++] = Part::Year;
            pieces << QStringLiteral("yyyy");
        }
        i += run;
    }
    if (found < 3) {
        form.order[0] = Part::Month;
        form.order[1] = Part::Day;
        form.order[2] = Part::Year;
        pieces = {QStringLiteral("M"), QStringLiteral("d"), QStringLiteral("yyyy")};
    }
    form.pattern = pieces.join(u'/');
    return form;
}

// The short form of the current locale, worked out again only when the locale changes (a
// list of thousands of dates reads them one by one).
const ShortForm &currentShortForm()
{
    static QLocale locale = QLocale::c();
    static ShortForm form = shortForm();
    if (QLocale() != locale) {
        locale = QLocale();
        form = shortForm();
    }
    return form;
}

bool readNumber(const QString &text, int maxDigits, int *value)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    *value = text.toInt();
    return true;
}

} // namespace

namespace DateText {

QString pattern()
{
    return currentShortForm().pattern;
}

QString format(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return QLocale::c().toString(date, pattern());
}

QDate parse(const QString &text)
{
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return QDate();
    const ShortForm &form = currentShortForm();
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QString &piece = parts.at(i);
        switch (form.order[i]) {
        case Part::Day:
            if (!readNumber(piece, 2, &day))
                return QDate();
            break;
        case Part::Month:
            if (!readNumber(piece, 2, &month))
                return QDate();
            break;
        case Part::Year:
            if (!readNumber(piece, 4, &year) || piece.size() == 3)
                return QDate();
            if (piece.size() <= 2)
                year += year < 30 ? 2000 : 1900;
            break;
        }
    }
    if (!QDate::isValid(year, month, day))
        return QDate();
    return QDate(year, month, day);
}

bool isDate(const QString &text)
{
    return parse(text).isValid();
}

QString toIso(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QDate fromIso(const QString &iso)
{
    return QDate::fromString(iso, Qt::ISODate);
}

QString typedToIso(const QString &typed)
{
    return toIso(parse(typed));
}

QString isoToShort(const QString &iso)
{
    return format(fromIso(iso));
}

} // namespace DateText
