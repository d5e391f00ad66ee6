#include "ItemStore.h"

#include "core/db/Database.h"
#include "core/db/SqlText.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/records/RecordStore.h"

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

// The value as its box shows it.
QString shown(const QVariant &value, const FieldSpec &info)
{
    switch (info.kind) {
    case FieldKind::Date:
        return DateText::isoToShort(value.toString());
    case FieldKind::Number: {
        const int days = value.toInt();
        return days == 0 ? QString() : QString::number(days);
    }
    default:
        return LineEnds::toShown(value.toString());
    }
}

// The column of main a field is stored in.
QString columnOf(const FieldSpec &info)
{
    return info.kind == FieldKind::Company ? QStringLiteral("manuID") : QString::fromLatin1(info.sql);
}

void deleteRows(Database &database, const QString &table, qint64 itemId)
{
    Statement remove(database, QStringLiteral("DELETE FROM %1 WHERE ID = ?").arg(table));
    remove.bind(1, itemId);
    remove.run();
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
    // The boxes' columns, then replacestock and the company. A left join: an item whose
    // company row is gone still loads, without a company.
    QVector<int> boxes;
    QStringList columns;
    forEachEditedField([&](int id, const FieldSpec &info) {
        if (ItemBox::hasTextBox(id)) {
            boxes << id;
            columns << QStringLiteral("main.") + QString::fromLatin1(info.sql);
        }
    });
    columns << QStringLiteral("main.replacestock") << QStringLiteral("orderinfo.ID") << QStringLiteral("orderinfo.company");
    Statement row(database, QStringLiteral("SELECT %1 FROM main LEFT JOIN orderinfo ON orderinfo.ID = main.manuID"
                                           " WHERE main.ID = ?")
                                .arg(columns.join(QStringLiteral(", "))));
    row.bind(1, itemId);
    if (!row.next())
        return std::nullopt;
    ItemForm form;
    for (int column = 0; column < boxes.size(); ++column)
        form[boxes.at(column)] = shown(row.value(column), *FieldTable::column(boxes.at(column)));
    const int rest = int(boxes.size());
    form.stocked = row.value(rest).toInt();
    form.companyId = row.value(rest + 1).toLongLong();
    form.companyName = row.value(rest + 2).toString();
    return form;
}

QString itemName(Database &database, qint64 itemId)
{
    Statement query(database, QStringLiteral("SELECT Name FROM main WHERE ID = ?"));
    query.bind(1, itemId);
    return query.next() ? query.text(0) : QString();
}

std::optional<QStringList> loadItemTexts(Database &database, qint64 itemId, const QStringList &columns)
{
    Statement query(database, QStringLiteral("SELECT %1 FROM main WHERE ID = ?").arg(columns.join(QStringLiteral(", "))));
    query.bind(1, itemId);
    if (!query.next())
        return std::nullopt;
    QStringList texts;
    for (int column = 0; column < query.columnCount(); ++column)
        texts << query.text(column);
    return texts;
}

bool itemExists(Database &database, qint64 itemId)
{
    Statement query(database, QStringLiteral("SELECT 1 FROM main WHERE ID = ?"));
    query.bind(1, itemId);
    return query.next();
}

SaveOutcome addEntryToItem(Database &database, EntryTarget target, qint64 itemId, const QString &descr)
{
    Transaction transaction(database);
    if (!itemExists(database, itemId))
        return SaveOutcome::ItemGone;
    writeEntry(database, target, itemId, descr);
    transaction.commit();
    return SaveOutcome::Saved;
}

SaveOutcome itemSaveOutcome(Database &database, qint64 itemId, const RowStamp &read)
{
    if (read.stillHolds(database))
        return SaveOutcome::Saved;
    return itemExists(database, itemId) ? SaveOutcome::ChangedElsewhere : SaveOutcome::ItemGone;
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
    QStringList columns;
    QVariantList values;
    forEachEditedField([&](int id, const FieldSpec &info) {
        columns << columnOf(info);
        values << stored(form, id, info);
    });
    columns << QStringLiteral("ackorder") << QStringLiteral("ackservice") << QStringLiteral("ackorderinstock");
    values << 0 << 0 << 0;

    const QString table = QStringLiteral("main");
    qint64 itemId = 0;
    if (!editedId) {
        Statement insert(database, SqlText::insertInto(table, columns));
        itemId = insert.bindAll(values).insert();
    } else if (const SaveOutcome now = itemSaveOutcome(database, *editedId, read); now != SaveOutcome::Saved) {
        return {now};
    } else {
        Statement update(database, SqlText::updateById(table, columns));
        if (*editedId > 0)
            update.bindAll(values << *editedId).run();
        if (update.changes() == 0)
            return {SaveOutcome::ItemGone}; // nothing is written
        itemId = *editedId;
    }
    addRepParts(database, itemId, newParts);
    for (const QString &text : historyTexts)
        writeEntry(database, HistoryTarget, itemId, text);
    return {SaveOutcome::Saved, itemId};
}

void deleteItem(Database &database, qint64 itemId)
{
    Transaction transaction(database);
    deleteRows(database, QStringLiteral("main"), itemId);
    deleteEntries(database, itemId);
    deleteRows(database, QStringLiteral("repparts"), itemId);
    transaction.commit();
}

QVector<RepPart> loadRepParts(Database &database, qint64 itemId)
{
    // The (ID, descr) index gives the parts of an item by name as the database compares them;
    // sortRepParts then orders them as every list does.
    Statement query(database, QStringLiteral("SELECT descr, partnumber FROM repparts WHERE ID = ? ORDER BY %1").arg(SqlText::SqliteOnly::caseless(QStringLiteral("descr"))));
    query.bind(1, itemId);
    QVector<RepPart> parts;
    while (query.next())
        parts.append({query.text(0), query.text(1)});
    sortRepParts(parts);
    return parts;
}

void addRepParts(Database &database, qint64 itemId, const QVector<RepPart> &parts)
{
    Statement insert(database, QStringLiteral("INSERT INTO repparts (ID, descr, partnumber) VALUES (?, ?, ?)"));
    for (const RepPart &part : parts) {
        insert.reset();
        insert.bindAll({itemId, part.name, part.number});
        insert.run();
    }
}

QString replacementPartsText(Database &database, qint64 itemId, const QString &separator)
{
    return joinRepParts(loadRepParts(database, itemId), separator);
}

void forEachRepPartsText(Database &database, const QString &separator,
                         const std::function<void(qint64 itemId, QString &&text)> &take)
{
    Statement query(database, QStringLiteral("SELECT ID, descr, partnumber FROM repparts ORDER BY ID, %1").arg(SqlText::SqliteOnly::caseless(QStringLiteral("descr"))));
    qint64 currentId = 0;
    QVector<RepPart> parts;
    auto flush = [&] {
        if (!parts.isEmpty()) {
            sortRepParts(parts);
            take(currentId, joinRepParts(parts, separator));
            parts.clear();
        }
    };
    while (query.next()) {
        const qint64 id = query.integer(0);
        if (id != currentId) {
            flush();
            currentId = id;
        }
        parts.append({query.text(1), query.text(2)});
    }
    flush();
}

void setItemAcks(Database &database, qint64 itemId, const ItemAcks &acks)
{
    Statement(database, QStringLiteral("UPDATE main SET ackservice = ?, ackorder = ?, ackorderinstock = ? WHERE ID = ?"))
        .bindAll({acks.service, acks.order, acks.inStock, itemId})
        .run();
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
