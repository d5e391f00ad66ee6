#pragma once

#include <QApplication>
#include <QDateTime>
#include <QScopeGuard>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QWidget>

#include <csignal>
#include <memory>
#include <sys/resource.h>

// A test's own application folder with a fresh encrypted database, made by the same code as
// tarvo-newdb, opened as the program's connection. Locale en_US, clock fixed at
// 2026-12-06 10:00, message boxes, file dialogs and the desktop answered by the test.
class TestWorld
{
public:
    static const QDateTime Now;

    TestWorld();
    ~TestWorld();

    QString folder() const { return m_dir.path(); }
    QString databasePath() const;

    // Rows for tests. Fields not given take the values a new item gets from the editor.
    qint64 addCompany(const QString &name, const QVariantMap &fields = {});
    qint64 addItem(qint64 companyId, const QVariantMap &fields);
    void addPart(qint64 itemId, const QString &descr, const QVariant &partNumber);
    void addEntry(const QString &table, qint64 itemId, const QString &isoDate, const QString &descr);

    // Runs SQL on a second connection to the same file, as another program would.
    void changeElsewhere(const QString &sql) const;

    // One value of the database, e.g. scalar("SELECT count(*) FROM main").
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const;

private:
    QTemporaryDir m_dir;
};

// Limits the size of files this process may write, as a full disk would, until the guard goes.
inline auto limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit {bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    return qScopeGuard([old] { setrlimit(RLIMIT_FSIZE, &old); });
}

// Sets the locale, the clock and the test modes once per test program.
void initTestEnvironment();

// Deletes every top-level window a test left open (also after a failure) and forgets the
// message boxes shown.
void closeAllWindows();

// Deletes the windows closed meanwhile, as the event loop would.
void settle();

// The visible top-level window of the class, if any.
template<class Window> Window *shownWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Walks the activated window with Tab from `first`, the control that must have the focus: what
// went wrong, or empty when Tab visited every control it can reach and came back.
QString keyboardWalkFault(QWidget *window, const QString &first);
// Which two visible controls of the window overlap at its size; empty when none do.
QString overlapFault(QWidget *window);
