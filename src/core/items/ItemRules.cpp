#include "ItemRules.h"

#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Utility.h"

namespace ItemBox {

namespace {
const FieldSpec *fieldOfBox(int id)
{
    return id >= 0 && id < Count ? FieldTable::column(id) : nullptr;
}
} // namespace

bool hasTextBox(int id)
{
    const FieldSpec *field = fieldOfBox(id);
    return field && field->kind != FieldKind::Parts && field->kind != FieldKind::Company
        && field->kind != FieldKind::Flag;
}

bool isDate(int id)
{
    const FieldSpec *field = fieldOfBox(id);
    return field && field->kind == FieldKind::Date;
}

bool isDayCount(int id)
{
    const FieldSpec *field = fieldOfBox(id);
    return field && field->kind == FieldKind::Number;
}

bool isMultiLine(int id)
{
    const FieldSpec *field = fieldOfBox(id);
    return field && field->cell == CellText::MultiLine;
}

int lengthLimit(int id)
{
    if (isDate(id))
        return 10;
    if (isDayCount(id))
        return 3;
    if (isMultiLine(id))
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
    using namespace Column;
    const QString &serviceDate = form[ServiceDate];
    if (serviceDate.isEmpty()) {
        messages << QStringLiteral("Service date was not specifed\r\nAlarms will not be active.");
        return true;
    }
    const QDate date = DateText::parse(serviceDate);
    if (!date.isValid() || date < today) {
        messages << (date.isValid() ? QStringLiteral("Service Date must be greater or equal to current date")
                                    : QStringLiteral("Service date has incorrect form"));
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
    using namespace Column;
    ItemCheck check;
    auto fail = [&check](int box, const QString &message) {
        if (!message.isEmpty())
            check.messages << message;
        check.canSave = false;
        check.faultBox = box;
        return check;
    };
    if (form[Name].isEmpty())
        return fail(Name, QStringLiteral("A Name must be added"));
    if (!form.hasCompany())
        return fail(Company, QStringLiteral("A Company must be selected"));
    if (!checkSchedule(form, today, check.messages))
        return fail(ServiceDate, QString());
    if (badDate(form[DateServiced]))
        return fail(DateServiced, QStringLiteral("Date Serviced has incorrect form"));
    if (badDate(form[DateInstalled]))
        return fail(DateInstalled, QStringLiteral("Date Installed has incorrect form"));
    return check;
}

bool acceptsKey(int id, const QString &current, int keyChar)
{
    constexpr int Backspace = 8, Enter = 13, Del = 127;
    if (keyChar == Backspace || keyChar == Del)
        return true;
    const qsizetype length = LineEnds::storedLength(current);
    const int limit = ItemBox::lengthLimit(id);
    if (ItemBox::isMultiLine(id))
        return length + (keyChar == Enter ? 2 : 1) <= limit; // a line break is stored as CR LF
    if (keyChar == Enter)
        return true; // types nothing in a one-line box
    if (ItemBox::isDate(id))
        return length < limit && (keyChar == '/' || numericKey(keyChar) != 0);
    if (ItemBox::isDayCount(id))
        return numericKey(keyChar) != 0 && length < limit;
    return length < limit;
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
    using namespace Column;
    QVector<HistoryRequest> requests;
    requests.append({NewItemEntry, form[Name], form[DateInstalled]});
    if (!form[DateServiced].isEmpty())
        requests.append({ServicedEntry, form[ServicedBy], form[DateServiced]});
    if (!form[PurchaseOrder].isEmpty())
        requests.append({PartsOrderedEntry, form[PurchaseOrder], QString()});
    return requests;
}
