#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/data/NewDatabase.h"
#include "core/data/ValueOrder.h"
#include "core/platform/Clock.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QPointer>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

const QDateTime TestWorld::Now(QDate(2026, 12, 6), QTime(10, 0));

void initTestEnvironment()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QStandardPaths::setTestModeEnabled(true); // desktop settings away from the user's own
    ValueOrder::localeChanged();
    Clock::setFixed(TestWorld::Now);
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
    Desktop::setTestMode(true);
}

TestWorld::TestWorld()
{
    initTestEnvironment();
    resetGlobalVars();
    AppPaths::setApplicationFolder(m_dir.path());
    QString error;
    if (!createDatabaseFile(databasePath(), false, Clock::today(), &error))
        qFatal("cannot make the test database: %s", qPrintable(error));
    if (!OpenDatabase(&error))
        qFatal("cannot open the test database: %s", qPrintable(error));
    MessageBox::clearShown();
}

TestWorld::~TestWorld()
{
    CloseDatabase();
    AppPaths::setApplicationFolder(QString());
}

QString TestWorld::databasePath() const
{
    return AppPaths::databaseFile();
}

qint64 TestWorld::addCompany(const QString &name, const QVariantMap &fields)
{
    RowWriter row(db(), QStringLiteral("orderinfo"));
    row.set(QStringLiteral("company"), name);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        row.set(it.key(), it.value());
    return row.insert();
}

qint64 TestWorld::addItem(qint64 companyId, const QVariantMap &fields)
{
    QVariantMap all = {{QStringLiteral("manuID"), companyId},  {QStringLiteral("Name"), QString()},
                       {QStringLiteral("Tag"), QString()},     {QStringLiteral("location"), QString()},
                       {QStringLiteral("servicewarn"), 0},     {QStringLiteral("leadtime"), 0},
                       {QStringLiteral("serviceinterval"), 0}, {QStringLiteral("replacestock"), -1},
                       {QStringLiteral("ackservice"), 0},      {QStringLiteral("ackorder"), 0},
                       {QStringLiteral("ackorderinstock"), 0}};
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        all.insert(it.key(), it.value());
    RowWriter row(db(), QStringLiteral("main"));
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        row.set(it.key(), it.value());
    return row.insert();
}

void TestWorld::addPart(qint64 itemId, const QString &descr, const QVariant &partNumber)
{
    Execute(db(), QStringLiteral("INSERT INTO repparts (ID, descr, partnumber) VALUES (?, ?, ?)"),
            {itemId, descr, partNumber});
}

void TestWorld::addEntry(const QString &table, qint64 itemId, const QString &isoDate, const QString &descr)
{
    Execute(db(), QStringLiteral("INSERT INTO %1 (ID, Date, descr) VALUES (?, ?, ?)").arg(table),
            {itemId, isoDate, descr});
}

void TestWorld::changeElsewhere(const QString &sql) const
{
    Database other;
    QString error;
    if (!other.open(databasePath(), &error))
        qFatal("cannot open a second connection: %s", qPrintable(error));
    other.exec(sql);
}

QVariant TestWorld::scalar(const QString &sql, const QVariantList &values) const
{
    Statement query(db(), sql);
    query.bindAll(values);
    return query.next() ? query.value(0) : QVariant();
}

void closeAllWindows()
{
    // Deleting one window may delete others that belong to it.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows << window;
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    MessageBox::clearShown();
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

// The controls Tab must reach: of a group of exclusive options only the checked one.
bool tabReachable(const QWidget *control, const QWidget *window)
{
    const auto *option = qobject_cast<const QAbstractButton *>(control);
    return control->isVisibleTo(window) && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) &&
        !control->focusProxy() && !(option && option->autoExclusive() && !option->isChecked());
}

QString nameOf(const QWidget *control)
{
    return control ? control->objectName() : QStringLiteral("nothing");
}

} // namespace

QString keyboardWalkFault(QWidget *window, const QString &first)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return QStringLiteral("the window did not activate");
    QWidget *start = QApplication::focusWidget();
    if (nameOf(start) != first)
        return QStringLiteral("opens with the focus in ") + nameOf(start);
    QSet<QWidget *> visited {start};
    for (QWidget *now = nullptr; now != start; visited.insert(now)) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        now = QApplication::focusWidget();
        if (!now || now->window() != window || (now != start && visited.contains(now)))
            return QStringLiteral("Tab is trapped at ") + nameOf(now);
    }
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (tabReachable(control, window) && !visited.contains(control))
            return QStringLiteral("Tab never reaches ") + nameOf(control);
    }
    return QString();
}

QString overlapFault(QWidget *window)
{
    // The program's own controls carry names; Qt's inner parts have none or "qt_" ones. A
    // frame and what it holds do not overlap.
    QList<QWidget *> shown;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->isVisibleTo(window) && !control->objectName().isEmpty() &&
            !control->objectName().startsWith(u"qt_"))
            shown << control;
    }
    for (QWidget *a : shown) {
        for (QWidget *b : shown) {
            if (a < b &&
                QRect(a->mapTo(window, QPoint()), a->size()).intersects(QRect(b->mapTo(window, QPoint()), b->size())) &&
                !a->isAncestorOf(b) && !b->isAncestorOf(a))
                return nameOf(a) + QStringLiteral(" overlaps ") + nameOf(b);
        }
    }
    return QString();
}
