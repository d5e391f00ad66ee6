#include "DatabaseCopy.h"

#include "Database.h"
#include "DbError.h"
#include "SampleData.h"
#include "Schema.h"
#include "ServerSchema.h"
#include "Version.h"
#include "core/platform/Clock.h"

#include <QCryptographicHash>
#include <QDate>

namespace DatabaseCopy {

namespace {

using TableShapes::Kind;

// Values per INSERT: many rows travel to the server in one round trip, within what both
// engines take.
constexpr int ValuesPerInsert = 990;

// The columns a copy reads and writes of one table: those of its columns the source holds and,
// on tables that keep the order rows were written in, that order's own column first (the file's
// rowid, the server's identity column), whose values carry over as they are.
class CopiedColumns
{
public:
    CopiedColumns(Database &source, const TableShapes::Table &table)
        : m_table(table)
    {
        const QStringList present = source.columnNames(QString::fromLatin1(table.name));
        if (table.keepsOrder)
            m_columns << nullptr;
        for (const TableShapes::Column &column : table.columns) {
            if (!column.addedLater || present.contains(QLatin1StringView(column.name), Qt::CaseInsensitive))
                m_columns << &column;
        }
    }

    qsizetype size() const { return m_columns.size(); }
    // The column's shape; null for the order column.
    const TableShapes::Column *at(qsizetype index) const { return m_columns.at(index); }
    // Where the row's ID is read (an item's in History, Notes and repparts); -1 in settings.
    int idIndex() const
    {
        const int first = m_table.keepsOrder ? 1 : 0;
        return m_table.keepsOrder || m_table.columns.front().kind != Kind::Integer ? first : -1;
    }

    QStringList names(Database &db) const
    {
        QStringList names;
        for (const TableShapes::Column *column : m_columns)
            names << (column ? QString::fromLatin1(column->name) : db.dialect().insertionOrder());
        return names;
    }

    QString selectInOrder(Database &db) const
    {
        QString sql = QStringLiteral("SELECT %1 FROM %2").arg(names(db).join(QStringLiteral(", ")), tableName());
        if (m_table.keepsOrder)
            sql += QStringLiteral(" ORDER BY ") + db.dialect().insertionOrder();
        else if (idIndex() == 0)
            sql += QStringLiteral(" ORDER BY ID"); // main, orderinfo and Columns have an ID of their own
        return sql;
    }

    QString insertRows(Database &db, int rows) const
    {
        QStringList marks;
        marks.fill(QStringLiteral("?"), size());
        QStringList values;
        values.fill(QStringLiteral("(%1)").arg(marks.join(QStringLiteral(", "))), rows);
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(tableName(), names(db).join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    }

    QString tableName() const { return QString::fromLatin1(m_table.name); }

private:
    const TableShapes::Table &m_table;
    QList<const TableShapes::Column *> m_columns;
};

// Each value as its text, Null apart from every text: alike for the same value on either engine.
void addToChecksum(QCryptographicHash &hash, const QVariant &value)
{
    if (value.isNull()) {
        hash.addData(QByteArrayView("\x01N", 2));
        return;
    }
    hash.addData(QByteArrayView("\x01V", 2));
    hash.addData(value.toString().toUtf8());
}

QByteArray checksumOf(Database &db, const CopiedColumns &columns, qint64 *rows)
{
    Statement read(db, columns.selectInOrder(db));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 count = 0;
    while (read.next()) {
        for (int c = 0; c < read.columnCount(); ++c)
            addToChecksum(hash, read.value(c));
        ++count;
    }
    if (rows)
        *rows = count;
    return hash.result();
}

// Writes the rows of one table in batches: many rows travel to the server in one round trip.
class RowBatches
{
public:
    RowBatches(Database &target, const CopiedColumns &columns)
        : m_target(target)
        , m_columns(columns)
        , m_width(int(columns.size()))
        , m_rowsPerInsert(qMax(1, ValuesPerInsert / m_width))
    {
    }

    void add(const QVariantList &row)
    {
        m_pending += row;
        if (m_pending.size() == m_rowsPerInsert * m_width)
            flush();
    }

    void flush()
    {
        const int rows = int(m_pending.size()) / m_width;
        if (rows == 0)
            return;
        Statement insert(m_target, m_columns.insertRows(m_target, rows));
        insert.bindAll(m_pending);
        insert.run();
        m_pending.clear();
    }

private:
    Database &m_target;
    const CopiedColumns &m_columns;
    int m_width;
    int m_rowsPerInsert;
    QVariantList m_pending;
};

struct TableCopy {
    qint64 rows = 0;
    QByteArray checksum;
};

// Whether the value can go into the column: text in a date column must be a day, and a number
// column takes whole numbers only.
bool fits(const QVariant &value, const TableShapes::Column *column)
{
    if (value.isNull())
        return true;
    const Kind kind = column ? column->kind : Kind::Integer;
    switch (kind) {
    case Kind::Text: return true;
    case Kind::Date: return value.typeId() == QMetaType::QString && isIsoDate(value.toString());
    default: return value.typeId() == QMetaType::LongLong;
    }
}

// Copies one table's rows, checking each value against its column; gives the count and checksum
// of what was written.
TableCopy copyTable(Database &source, Database &target, const CopiedColumns &columns, Result &result)
{
    Statement read(source, columns.selectInOrder(source));
    RowBatches batches(target, columns);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const int idIndex = columns.idIndex();
    TableCopy copied;
    while (read.next()) {
        QVariantList row;
        for (int c = 0; c < read.columnCount(); ++c) {
            const QVariant value = read.value(c);
            if (fits(value, columns.at(c))) {
                row << value;
                continue;
            }
            result.badValues << BadValue {columns.tableName(), idIndex < 0 ? QString() : read.text(idIndex),
                                          QString::fromLatin1(columns.at(c) ? columns.at(c)->name : "order"),
                                          value.toString()};
            row << QVariant(); // a blank the copy keeps only when told to
        }
        for (const QVariant &value : std::as_const(row))
            addToChecksum(hash, value);
        batches.add(row);
        ++copied.rows;
    }
    batches.flush();
    copied.checksum = hash.result();
    return copied;
}

bool holdsRows(Database &db, const QString &table)
{
    Statement count(db, QStringLiteral("SELECT count(*) FROM %1").arg(table));
    return count.next() && count.integer(0) > 0;
}

// Makes the target ready: its tables made, or found without rows but the settings and columns.
void prepareTarget(Database &target)
{
    if (target.columnNames(QStringLiteral("main")).isEmpty()) {
        Schema::createTables(target);
        return;
    }
    QString problem;
    if (!Schema::hasExpectedShape(target, &problem))
        throw DbError(QStringLiteral("The target is no Tarvo database: %1").arg(problem));
    for (const char *table : {"main", "orderinfo", "History", "Notes", "repparts"}) {
        if (holdsRows(target, QString::fromLatin1(table)))
            throw DbError(QStringLiteral("The target database holds rows in %1 already; copy into an empty database.")
                              .arg(QString::fromLatin1(table)));
    }
    target.exec(QStringLiteral("DELETE FROM Columns"));
    target.exec(QStringLiteral("DELETE FROM settings"));
}

qint64 highest(Database &db, const QString &table, const QString &column)
{
    Statement query(db, QStringLiteral("SELECT max(%1) FROM %2").arg(column, table));
    return query.next() ? query.integer(0) : 0;
}

// The ID counters carry over, so that no ID the source gave (even to a row deleted since) is
// given again.
void carryCounters(Database &source, Database &target, const TableShapes::Table &table)
{
    const QString name = QString::fromLatin1(table.name);
    if (table.columns.front().kind == Kind::Identity) {
        const qint64 counter = qMax(source.backend().idCounter(name, QStringLiteral("ID")),
                                    highest(target, name, QStringLiteral("ID")));
        target.backend().setIdCounter(name, QStringLiteral("ID"), counter);
    }
    if (table.keepsOrder) {
        const QString order = target.dialect().insertionOrder();
        target.backend().setIdCounter(name, order, highest(target, name, order));
    }
}

QString badValuesText(const QList<BadValue> &bad)
{
    return QStringLiteral("%1 of the dates are no dates; nothing was copied. Mend them in the source, or copy with"
                          " --blank-bad-dates to leave them empty.")
        .arg(bad.size());
}

} // namespace

bool isIsoDate(const QString &text)
{
    if (text.size() != 10 || text.at(4) != u'-' || text.at(7) != u'-')
        return false;
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day.isValid() && day.year() >= 1 && day.year() <= 9999;
}

QByteArray checksum(Database &db, const TableShapes::Table &table, qint64 *rows)
{
    return checksumOf(db, CopiedColumns(db, table), rows);
}

Result copy(Database &source, Database &target, const Options &options)
{
    Result result;
    try {
        Transaction reading(source, DbBackend::Access::Snapshot);
        Transaction writing(target);
        prepareTarget(target);
        for (const TableShapes::Table &table : TableShapes::all()) {
            const CopiedColumns columns(source, table);
            const TableCopy copied = copyTable(source, target, columns, result);
            qint64 readBack = 0;
            const QByteArray written = checksumOf(target, columns, &readBack);
            if (readBack != copied.rows || written != copied.checksum)
                throw DbError(QStringLiteral("The copy of table %1 differs from its source (%2 rows read, %3 written);"
                                             " nothing was copied.")
                                  .arg(QString::fromLatin1(table.name))
                                  .arg(copied.rows)
                                  .arg(readBack));
            carryCounters(source, target, table);
            result.counts << TableCount {QString::fromLatin1(table.name), copied.rows};
        }
        const bool blocked = !result.badValues.isEmpty() && !options.blankBadDates;
        const bool onlyDates = std::all_of(result.badValues.cbegin(), result.badValues.cend(), [](const BadValue &bad) {
            const TableShapes::Table *table = TableShapes::find(bad.table);
            for (const TableShapes::Column &column : table->columns) {
                if (QLatin1StringView(column.name) == bad.column)
                    return column.kind == Kind::Date;
            }
            return false;
        });
        if (blocked || !onlyDates)
            throw DbError(onlyDates ? badValuesText(result.badValues)
                                    : QStringLiteral("Some values do not fit their columns; nothing was copied."));
        writing.commit();
        result.copied = true;
    } catch (const DbError &error) {
        result.error = error.message();
        result.counts.clear();
    }
    return result;
}

void initServer(Database &db, const QString &owner, const QString &technicians, bool sample)
{
    Transaction transaction(db);
    if (db.columnNames(QStringLiteral("main")).isEmpty()) {
        Schema::createTables(db);
        Schema::addStartingRows(db, QStringLiteral(TARVO_VERSION), QStringLiteral(TARVO_BUILD), Clock::today());
        if (sample)
            SampleData::addDemo(db, Clock::today());
    } else {
        ServerSchema::renewFold(db);
        ServerSchema::addTechnicianTables(db);
        for (const QString &statement : ServerSchema::changeNoticeStatements())
            db.exec(statement);
    }
    for (const QString &statement : ServerSchema::roleStatements(owner, technicians))
        db.exec(statement);
    transaction.commit();
}

} // namespace DatabaseCopy
