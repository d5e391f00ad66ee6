#include "ItemStore.h"

#include "data/DatabaseADO.h"
#include "platform/DateText.h"

namespace {

using namespace ItemBox;

enum class Kind { Company, Stocked, Text, MultiLine, Date, DayCount };

struct FieldBox {
    const char *field;
    int box;
    Kind kind;
};

// The fields of main the editor writes, in the order it writes them.
const FieldBox Fields[] = {
    {"manuID", Company, Kind::Company},
    {"Name", Name, Kind::Text},
    {"Tag", Tag, Kind::Text},
    {"location", Location, Kind::Text},
    {"hazmat", Hazmat, Kind::Text},
    {"part", Part, Kind::Text},
    {"serial", Serial, Kind::Text},
    {"servicedate", ServiceDate, Kind::Date},
    {"servicewarn", ServiceWarn, Kind::DayCount},
    {"DateServiced", DateServiced, Kind::Date},
    {"servicedby", ServicedBy, Kind::Text},
    {"tools", Tools, Kind::MultiLine},
    {"dateinstalled", DateInstalled, Kind::Date},
    {"leadtime", LeadTime, Kind::DayCount},
    {"purchaseorder", PurchaseOrder, Kind::Text},
    {"replacestock", Stocked, Kind::Stocked},
    {"refmanuals", RefManuals, Kind::Text},
    {"Locked", Locked, Kind::MultiLine},
    {"custom1", Custom1, Kind::Text},
    {"custom2", Custom2, Kind::Text},
    {"custom3", Custom3, Kind::Text},
    {"serviceinterval", ServiceInterval, Kind::DayCount},
};

QString shown(const Recordset &row, const FieldBox &f)
{
    const QString field = QString::fromLatin1(f.field);
    switch (f.kind) {
    case Kind::Date:
        return DateText::isoToShort(row.text(field));
    case Kind::DayCount: {
        const int days = row.integer(field);
        return days == 0 ? QString() : QString::number(days);
    }
    case Kind::MultiLine:
        return multiLineToShow(row.text(field));
    default:
        return row.text(field);
    }
}

QVariant stored(const ItemForm &form, const FieldBox &f)
{
    if (f.kind == Kind::Company)
        return form.companyId;
    if (f.kind == Kind::Stocked)
        return form.stocked;
    const QString &text = form[f.box];
    switch (f.kind) {
    case Kind::Date: {
        const QString iso = DateText::typedToIso(text);
        return iso.isEmpty() ? QVariant() : QVariant(iso);
    }
    case Kind::DayCount:
        return text.toInt(); // "" and "0" give 0
    case Kind::MultiLine:
        return multiLineToStore(text);
    default:
        return text;
    }
}

void storeParts(Database &database, int itemId, const QVector<RepPart> &parts)
{
    for (const RepPart &part : parts) {
        Execute(database, QStringLiteral("INSERT INTO repparts (ID, descr, partnumber) VALUES (?, ?, ?)"),
                {itemId, part.name, part.number});
    }
}

} // namespace

std::optional<ItemForm> loadItemForm(Database &database, int itemId)
{
    // A left join: an item whose company row is gone still loads, without a company.
    Recordset row(database,
                  QStringLiteral("SELECT main.*, orderinfo.ID AS companyRowId, orderinfo.company AS companyName"
                                 " FROM main LEFT JOIN orderinfo ON orderinfo.ID = main.manuID"
                                 " WHERE main.ID = ?"),
                  {itemId});
    if (row.isEmpty())
        return std::nullopt;
    ItemForm form;
    for (const FieldBox &f : Fields) {
        if (hasTextBox(f.box))
            form[f.box] = shown(row, f);
    }
    form.companyId = row.integer(QStringLiteral("companyRowId"));
    form.companyName = row.text(QStringLiteral("companyName"));
    form.stocked = row.integer(QStringLiteral("replacestock"));
    return form;
}

int saveItemForm(Database &database, const ItemForm &form, std::optional<int> editedId,
                 const QVector<RepPart> &newParts)
{
    RowWriter row(database, QStringLiteral("main"));
    for (const FieldBox &f : Fields)
        row.set(QString::fromLatin1(f.field), stored(form, f));
    row.set(QStringLiteral("ackorder"), 0)
        .set(QStringLiteral("ackservice"), 0)
        .set(QStringLiteral("ackorderinstock"), 0);

    Transaction transaction(database);
    int itemId = 0;
    if (!editedId) {
        itemId = row.insert();
    } else if (*editedId > 0 && row.update(*editedId)) {
        itemId = *editedId;
    } else {
        return 0; // the item was deleted meanwhile; nothing is written
    }
    storeParts(database, itemId, newParts);
    transaction.commit();
    return itemId;
}

QVector<RepPart> loadRepParts(Database &database, int itemId)
{
    Recordset rows(database, QStringLiteral("SELECT descr, partnumber FROM repparts WHERE ID = ? ORDER BY descr"),
                   {itemId});
    QVector<RepPart> parts;
    parts.reserve(rows.recordCount());
    for (rows.moveFirst(); !rows.eof(); rows.moveNext())
        parts.append({rows.text(QStringLiteral("descr")), rows.text(QStringLiteral("partnumber"))});
    return parts;
}

void PartList::setStored(const QVector<RepPart> &stored)
{
    m_parts = stored;
    m_storedCount = int(stored.size());
}

bool PartList::add(const QString &name, const QString &number)
{
    if (name.isEmpty())
        return false;
    m_parts.append({name, number});
    return true;
}
