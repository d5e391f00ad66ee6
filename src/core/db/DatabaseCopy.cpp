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

// The columns read and written: on tables that keep the order rows were written in, that
// order's own column first (the file's rowid, the server's identity column).
QStringList copiedColumns(Database &db, const TableShapes::Table &table)
{
    QStringList columns = TableShapes::columnNames(table);
    if (table.keepsOrder)
        columns.prepend(db.dialect().insertionOrder());
    return columns;
}

QString selectInOrder(Database &db, const TableShapes::Table &table)
{
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(copiedColumns(db, table).join(QStringLiteral(", ")), QString::fromLatin1(table.name));
    if (table.keepsOrder)
        sql += QStringLiteral(" ORDER BY ") + db.dialect().insertionOrder();
    else if (table.columns.front().kind != Kind::Integer)
        sql += QStringLiteral(" ORDER BY ID"); // main, orderinfo and Columns have an ID of their own
    return sql;
}

QString insertRows(Database &db, const TableShapes::Table &table, int rows)
{
    const QStringList columns = copiedColumns(db, table);
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    const QString row = QStringLiteral("(%1)").arg(marks.join(QStringLiteral(", ")));
    QStringList values;
    values.fill(row, rows);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(QString::fromLatin1(table.name), columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

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

// Writes the rows of one table in batches; the values of a row as the target takes them.
class RowBatches
{
public:
    RowBatches(Database &target, const TableShapes::Table &table)
        : m_target(target)
        , m_table(table)
        , m_columns(int(copiedColumns(target, table).size()))
        , m_rowsPerInsert(qMax(1, ValuesPerInsert / m_columns))
    {
    }

    void add(const QVariantList &row)
    {
        m_pending += row;
        if (m_pending.size() == m_rowsPerInsert * m_columns)
            flush();
    }

    void flush()
    {
        const int rows = int(m_pending.size()) / m_columns;
        if (rows == 0)
            return;
        Statement insert(m_target, insertRows(m_target, m_table, rows));
        insert.bindAll(m_pending);
        insert.run();
        m_pending.clear();
    }

private:
    Database &m_target;
    const TableShapes::Table &m_table;
    int m_columns;
    int m_rowsPerInsert;
    QVariantList m_pending;
};

struct TableCopy {
    qint64 rows = 0;
    QByteArray checksum;
};

// Copies one table's rows, checking each value against its column; gives the count and checksum
// of what was written.
TableCopy copyTable(Database &source, Database &target, const TableShapes::Table &table, Result &result)
{
    Statement read(source, selectInOrder(source, table));
    RowBatches batches(target, table);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const int offset = table.keepsOrder ? 1 : 0;
    const int idColumn = table.columns.front().kind == Kind::Integer && !table.keepsOrder ? -1 : offset;
    TableCopy copied;
    while (read.next()) {
        QVariantList row;
        for (int c = 0; c < read.columnCount(); ++c) {
            const QVariant value = read.value(c);
            const Kind kind = c < offset ? Kind::Integer : table.columns[size_t(c - offset)].kind;
            const bool isText = value.typeId() == QMetaType::QString;
            const bool fits = value.isNull() || (kind == Kind::Date ? isText && isIsoDate(value.toString()) : kind == Kind::Text ? true
                                                                                                                                 : value.typeId() == QMetaType::LongLong);
            if (fits) {
                row << value;
                continue;
            }
            result.badValues << BadValue {QString::fromLatin1(table.name),
                                          idColumn < 0 ? QString() : read.text(idColumn),
                                          QString::fromLatin1(table.columns[size_t(c - offset)].name),
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
    Statement read(db, selectInOrder(db, table));
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

Result copy(Database &source, Database &target, const Options &options)
{
    Result result;
    try {
        Transaction reading(source, DbBackend::Access::Snapshot);
        Transaction writing(target);
        prepareTarget(target);
        for (const TableShapes::Table &table : TableShapes::all()) {
            const TableCopy copied = copyTable(source, target, table, result);
            qint64 readBack = 0;
            const QByteArray written = checksum(target, table, &readBack);
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
    }
    for (const QString &statement : ServerSchema::roleStatements(owner, technicians))
        db.exec(statement);
    transaction.commit();
}

} // namespace DatabaseCopy
