#include "ItemStore.h"

#include "core/db/Recordset.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/records/History.h"

namespace {

// The boxes' fields of main, by column id: every column id up to 22 but the parts.
template<typename Visit>
void forEachEditedField(Visit visit)
{
    for (int id = 0; id < ItemBox::Count; ++id) {
        const FieldSpec &info = *FieldTable::column(id);
        if (info.kind != FieldKind::Parts)
            visit(id, info);
    }
}

QString shown(const Recordset &row, const FieldSpec &info)
{
    const QString field = QString::fromLatin1(info.sql);
    switch (info.kind) {
    case FieldKind::Date:
        return DateText::isoToShort(row.text(field));
    case FieldKind::Number: {
        const int days = row.integer(field);
        return days == 0 ? QString() : QString::number(days);
    }
    default:
        return LineEnds::toShown(row.text(field));
    }
}

QVariant stored(const ItemForm &form, int id, const FieldSpec &info)
{
    const QString &text = form[id];
    switch (info.kind) {
    case FieldKind::Company:
        return form.companyId;
    case FieldKind::Flag:
        return form.stocked;
    case FieldKind::Date: {
        const QString iso = DateText::typedToIso(text);
        return iso.isEmpty() ? QVariant() : QVariant(iso);
    }
    case FieldKind::Number:
        return text.toInt(); // "" and "0" give 0
    default:
        return info.cell == CellText::MultiLine ? LineEnds::toStored(text) : text;
    }
}

} // namespace

std::optional<ItemForm> loadItemForm(Database &database, qint64 itemId)
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
    forEachEditedField([&](int id, const FieldSpec &info) {
        if (ItemBox::hasTextBox(id))
            form[id] = shown(row, info);
    });
    form.companyId = row.id(QStringLiteral("companyRowId"));
    form.companyName = row.text(QStringLiteral("companyName"));
    form.stocked = row.integer(QStringLiteral("replacestock"));
    return form;
}

QString itemName(Database &database, qint64 itemId)
{
    Statement query(database, QStringLiteral("SELECT Name FROM main WHERE ID = ?"));
    query.bind(1, itemId);
    return query.next() ? query.text(0) : QString();
}

RowStamp itemFormStamp(Database &database, qint64 itemId)
{
    return RowStamp::read(database, QStringLiteral("SELECT * FROM main WHERE ID = ?"), {itemId});
}

SavedItem saveItemForm(Database &database, const ItemForm &form, std::optional<qint64> editedId, const RowStamp &read,
                       const QVector<RepPart> &newParts, const QStringList &historyTexts)
{
    Transaction transaction(database);
    const SavedItem saved = writeItemForm(database, form, editedId, read, newParts, historyTexts);
    if (saved.outcome == SaveOutcome::Saved)
        transaction.commit();
    return saved;
}

SavedItem writeItemForm(Database &database, const ItemForm &form, std::optional<qint64> editedId, const RowStamp &read,
                        const QVector<RepPart> &newParts, const QStringList &historyTexts)
{
    RowWriter row(database, QStringLiteral("main"));
    forEachEditedField([&](int id, const FieldSpec &info) {
        const bool company = info.kind == FieldKind::Company;
        row.set(company ? QStringLiteral("manuID") : QString::fromLatin1(info.sql), stored(form, id, info));
    });
    row.set(QStringLiteral("ackorder"), 0)
        .set(QStringLiteral("ackservice"), 0)
        .set(QStringLiteral("ackorderinstock"), 0);

    qint64 itemId = 0;
    if (!editedId) {
        itemId = row.insert();
    } else if (const SaveOutcome now = itemSaveOutcome(database, *editedId, read); now != SaveOutcome::Saved) {
        return {now};
    } else if (*editedId > 0 && row.update(*editedId)) {
        itemId = *editedId;
    } else {
        return {SaveOutcome::ItemGone}; // nothing is written
    }
    addRepParts(database, itemId, newParts);
    for (const QString &text : historyTexts)
        writeEntry(database, HistoryTarget, itemId, text);
    return {SaveOutcome::Saved, itemId};
}

void setItemAcks(Database &database, qint64 itemId, const ItemAcks &acks)
{
    execute(database, QStringLiteral("UPDATE main SET ackservice = ?, ackorder = ?, ackorderinstock = ? WHERE ID = ?"),
            {acks.service, acks.order, acks.inStock, itemId});
}

void forEachStoredItem(Database &database, const std::function<void(const StoredItem &)> &take)
{
    Statement query(database, QStringLiteral("SELECT * FROM main ORDER BY ID"));
    auto column = [&](const char *name) { return query.columnIndex(QString::fromLatin1(name)); };
    std::array<int, Column::Count> columns;
    for (int id = 0; id < Column::Count; ++id) {
        const FieldSpec &info = *FieldTable::column(id);
        const bool stored = info.kind != FieldKind::Parts && info.kind != FieldKind::Company;
        columns[std::size_t(id)] = stored ? column(info.sql) : -1;
    }
    const int id = column("ID"), company = column("manuID"), service = column("ackservice"),
              order = column("ackorder"), inStock = column("ackorderinstock");
    StoredItem item;
    while (query.next()) {
        item.id = query.integer(id);
        item.companyId = query.integer(company);
        for (std::size_t c = 0; c < columns.size(); ++c)
            item.fields[c] = columns[c] < 0 ? QVariant() : query.value(columns[c]);
        item.acks = {int(query.integer(service)), int(query.integer(order)), int(query.integer(inStock))};
        take(item);
    }
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
