#include "ItemRules.h"

#include "platform/DateText.h"
#include "shell/Utility.h"


namespace ItemBox {

bool isDate(int box)
{
    return box == ServiceDate || box == DateServiced || box == DateInstalled;
}

bool isDayCount(int box)
{
    return box == ServiceWarn || box == LeadTime || box == ServiceInterval;
}

bool isMultiLine(int box)
{
    return box == Tools || box == Locked;
}

bool hasTextBox(int box)
{
    return box >= 0 && box < Count && box != 6 && box != Company && box != Stocked;
}

int lengthLimit(int box)
{
    if (isDate(box))
        return 10;
    if (isDayCount(box))
        return 3;
    if (isMultiLine(box))
        return 255;
    return 50;
}

} // namespace ItemBox

namespace {

// The day-count tests compare the text exactly: "00" counts as filled.
bool notSet(const QString &text)
{
    return text.isEmpty() || text == u"0";
}

bool badDate(const QString &text)
{
    return !text.isEmpty() && !DateText::isDate(text);
}

// The service schedule: false when an error stops the save. Warnings only add messages.
bool checkSchedule(const ItemForm &form, const QDate &today, QStringList &messages)
{
    using namespace ItemBox;
    const QString &serviceDate = form[ServiceDate];
    if (serviceDate.isEmpty()) {
        messages << QStringLiteral("Service date was not specifed\r\nAlarms will not be active.");
        return true;
    }
    const QDate date = DateText::parse(serviceDate);
    if (!date.isValid()) {
        messages << QStringLiteral("Service date has incorrect form");
        return false;
    }
    if (date < today) {
        messages << QStringLiteral("Service Date must be greater or equal to current date");
        return false;
    }
    if (notSet(form[ServiceInterval])) {
        messages << QStringLiteral("Service interval was not specified\r\nAlarms will not be active");
        return true;
    }
    if (notSet(form[ServiceWarn]))
        messages << QStringLiteral("Service Warning was not specified\r\nService alarms will not be active");
    if (notSet(form[LeadTime]))
        messages << QStringLiteral("Lead Time was not specified\r\nOrder alarms will not be active");
    return true;
}

} // namespace

ItemCheck checkItem(const ItemForm &form, const QDate &today)
{
    using namespace ItemBox;
    ItemCheck check;
    auto fail = [&check](const QString &message) {
        check.messages << message;
        check.canSave = false;
        return check;
    };
    if (form[Name].isEmpty())
        return fail(QStringLiteral("A Name must be added"));
    if (!form.hasCompany())
        return fail(QStringLiteral("A Company must be selected"));
    if (!checkSchedule(form, today, check.messages)) {
        check.canSave = false;
        return check;
    }
    if (badDate(form[DateServiced]))
        return fail(QStringLiteral("Date Serviced has incorrect form"));
    if (badDate(form[DateInstalled]))
        return fail(QStringLiteral("Date Installed has incorrect form"));
    return check;
}

bool acceptsKey(int box, const QString &current, int keyChar)
{
    if (keyChar == 8 || keyChar == 127 || (keyChar < 32 && keyChar != 13))
        return true;
    const int length = int(current.size());
    if (ItemBox::isDate(box))
        return length < ItemBox::lengthLimit(box) && (keyChar == '/' || NumericKey(keyChar) != 0);
    if (ItemBox::isDayCount(box))
        return NumericKey(keyChar) != 0 && length < ItemBox::lengthLimit(box);
    return length < ItemBox::lengthLimit(box);
}

int stockedListIndex(int storedCode)
{
    return storedCode == 0 || storedCode == 1 ? storedCode : -1;
}

int stockedToStore(int listIndex, int storedCode)
{
    return listIndex >= 0 ? listIndex : storedCode;
}

QVector<HistoryRequest> newItemHistory(const ItemForm &form)
{
    using namespace ItemBox;
    QVector<HistoryRequest> requests;
    requests.append({5, form[Name], form[DateInstalled]});
    if (!form[DateServiced].isEmpty())
        requests.append({1, form[ServicedBy], form[DateServiced]});
    if (!form[PurchaseOrder].isEmpty())
        requests.append({4, form[PurchaseOrder], QString()});
    return requests;
}

QString multiLineToStore(const QString &shown)
{
    QString stored = multiLineToShow(shown);
    stored.replace(u'\n', QStringLiteral("\r\n"));
    return stored;
}

QString multiLineToShow(const QString &stored)
{
    QString shown = stored;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}
