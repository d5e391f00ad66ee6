#include "Utility.h"

#include <QFileInfo>

QString FieldName(int field)
{
    static const char *const names[24] = {
        "Name", "Tag", "Location", "Hazmat", "Part", "Serial", "", "ServiceDate",
        "ServiceWarn", "DateServiced", "ServicedBy", "Tools", "DateInstalled", "LeadTime",
        "ServiceInterval", "PurchaseOrder", "Company", "ReplaceStock", "RefManuals", "Locked",
        "Custom1", "Custom2", "Custom3", "ID"};
    if (field < 0 || field > 23)
        return QString();
    return QString::fromLatin1(names[field]);
}

FieldKind fieldKind(int field)
{
    switch (field) {
    case 7:
    case 9:
    case 12:
        return FieldKind::Date;
    case 8:
    case 13:
    case 14:
    case 23:
        return FieldKind::Number;
    default:
        return FieldKind::Text;
    }
}

int NumericKey(int keyCode)
{
    if (keyCode == 8 || keyCode == 127 || (keyCode >= '0' && keyCode <= '9'))
        return keyCode;
    return 0;
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}
