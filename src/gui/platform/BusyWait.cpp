#include "BusyWait.h"

#include "core/db/Database.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStatusBar>

void showDatabaseWaits(QStatusBar *bar)
{
    Database::setWaitNotice([bar = QPointer<QStatusBar>(bar)](bool waiting) {
        if (waiting) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            if (bar) {
                bar->showMessage(QString::fromLatin1(DatabaseWaitText));
                bar->repaint(); // the wait holds the event loop: painted now
            }
        } else {
            QGuiApplication::restoreOverrideCursor();
            if (bar)
                bar->clearMessage();
        }
    });
}
