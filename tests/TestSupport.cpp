#include "TestSupport.h"

#include "gui/platform/Desktop.h"
#include "gui/platform/DesktopNotifier.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QWidget>

void initTestEnvironment()
{
    initCoreTestEnvironment();
    initResources();
    // No notice ever reaches the desktop of whoever runs the tests.
    DesktopNotifier::useBus(QStringLiteral("unix:path=/nonexistent/tarvo-test-bus"));
    // Every new world starts with no answers waiting and no message shown.
    TestWorld::started = [] {
        MessageBox::setTestMode(true);
        FileDialog::setTestMode(true);
        Desktop::setTestMode(true);
        MessageBox::clearShown();
    };
    TestWorld::started();
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
    return control->isVisibleTo(window) && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy() && !(option && option->autoExclusive() && !option->isChecked());
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
    // frame and what it holds do not overlap. What a scrolling area hides counts only where
    // the area shows it.
    QHash<QWidget *, QRect> shown;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(window) || control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"))
            continue;
        QRect seen(control->mapTo(window, QPoint()), control->size());
        const QRect whole = seen;
        bool scrolled = false;
        for (QWidget *up = control->parentWidget(); up != window; up = up->parentWidget()) {
            seen &= QRect(up->mapTo(window, QPoint()), up->size());
            scrolled = scrolled || up->objectName() == u"qt_scrollarea_viewport";
        }
        if (!scrolled && !window->rect().contains(whole))
            return nameOf(control) + QStringLiteral(" is cut off");
        shown.insert(control, seen);
    }
    for (auto a = shown.cbegin(); a != shown.cend(); ++a) {
        for (auto b = shown.cbegin(); b != shown.cend(); ++b) {
            if (a.key() < b.key() && a.value().intersects(b.value()) && !a.key()->isAncestorOf(b.key()) && !b.key()->isAncestorOf(a.key()))
                return nameOf(a.key()) + QStringLiteral(" overlaps ") + nameOf(b.key());
        }
    }
    return QString();
}
