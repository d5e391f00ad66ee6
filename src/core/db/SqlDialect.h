#pragma once

#include <QString>

// The few pieces of statement text in which the two engines differ. A store asks the connection's
// dialect for them and writes the rest of its SQL once for both.
class SqlDialect
{
public:
    enum class Engine { SqlCipher,
                        PostgreSql };

    explicit SqlDialect(Engine engine)
        : m_engine(engine)
    {
    }

    Engine engine() const { return m_engine; }
    bool isServer() const { return m_engine == Engine::PostgreSql; }

    // The ISO date `days` days after `date` (both SQL expressions, `date` a date or ISO text);
    // Null when the move leaves the years 1 to 9999, or on the file when the date is no day.
    QString addDays(const QString &date, const QString &days) const;
    // The column compared with a bound text, every letter's case folded (the fold() function).
    QString foldedEquals(const QString &column) const;
    // The column matched against a bound LIKE pattern whose "\" escapes "%", "_" and itself,
    // every letter's case folded.
    QString foldedLike(const QString &column) const;
    // The column as an expression to order by without regard to ASCII case, as the file's
    // NOCASE orders; the caller adds the ID as the last term, so that ties come out alike.
    QString caseless(const QString &column) const;
    // An ORDER BY term, ascending or descending, with Null first or last as the file puts it
    // (the smallest value), where the server would put it the other way round.
    QString ascending(const QString &term) const;
    QString descending(const QString &term) const;
    // The column that holds the order rows were written in (History, Notes, repparts).
    QString insertionOrder() const;
    // Appended to the SELECT a save compares before it writes: on the server it locks the rows
    // read until the transaction ends (the file's write transaction locks the whole file).
    QString lockingRead() const;
    // Appended to an INSERT into main or orderinfo so that it answers the new row's ID.
    QString returningId() const;
    // Starts a transaction that will write.
    QString beginWrite() const;

    // The statement with SQLite's "?" and "?N" placeholders numbered as the server's "$N";
    // quoted text, quoted names and comments are left alone. `count` gets the highest number.
    static QString numberedPlaceholders(const QString &sql, int *count = nullptr);

private:
    Engine m_engine;
};
