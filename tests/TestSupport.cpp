#include "TestSupport.h"

#include "gui/platform/Desktop.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QWidget>

void initTestEnvironment()
{
    initCoreTestEnvironment();
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
    // frame and what it holds do not overlap.
    QList<QWidget *> shown;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->isVisibleTo(window) && !control->objectName().isEmpty() && !control->objectName().startsWith(u"qt_"))
            shown << control;
    }
    for (QWidget *a : shown) {
        for (QWidget *b : shown) {
            if (a < b && QRect(a->mapTo(window, QPoint()), a->size()).intersects(QRect(b->mapTo(window, QPoint()), b->size())) && !a->isAncestorOf(b) && !b->isAncestorOf(a))
                return nameOf(a) + QStringLiteral(" overlaps ") + nameOf(b);
        }
    }
    return QString();
}
