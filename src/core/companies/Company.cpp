#include "Company.h"

#include "core/platform/LineEnds.h"

namespace {

constexpr int Backspace = 8;
constexpr int Del = 127;

} // namespace

QString companyAddressText(const CompanyRecord &company)
{
    const QString *f = company.fields;
    const QString lineBreak = QStringLiteral("\r\n");
    QString text = f[CompanyBox::Street1] + lineBreak;
    // Only a Street2 that is empty text is left out; Null is not "empty" here.
    const QString &street2 = f[CompanyBox::Street2];
    if (street2.isNull() || !street2.isEmpty())
        text += street2 + lineBreak;
    return text + f[CompanyBox::City] + QLatin1Char(' ') + f[CompanyBox::State] + QStringLiteral("  ")
        + f[CompanyBox::Zip];
}

int companyFieldLimit(int box)
{
    switch (box) {
    case CompanyBox::State:
    case CompanyBox::Zip:
    case CompanyBox::Phone1:
    case CompanyBox::Phone2:
        return 20;
    case CompanyBox::Notes:
        return 100;
    default:
        return 50;
    }
}

bool companyKeyAccepted(int box, const QString &text, int keyChar)
{
    if (keyChar == Backspace || keyChar == Del)
        return true;
    const qsizetype length = LineEnds::storedLength(text);
    if (keyChar == '\r') // a line break in the notes, stored as CR LF; nothing in the other boxes
        return box != CompanyBox::Notes || length + 2 <= companyFieldLimit(box);
    return length < companyFieldLimit(box);
}
