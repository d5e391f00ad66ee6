#include "Desktop.h"

#include <QDesktopServices>
#include <QPointer>
#include <QProcess>

namespace {
bool inTestMode = false;
bool testOpens = true;
QList<QUrl> opened;
} // namespace

namespace Desktop {

bool open(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (inTestMode) {
        opened << url;
        return testOpens;
    }
    return QDesktopServices::openUrl(url);
}

void openChecked(const QUrl &url, QObject *context, const std::function<void(bool opened)> &done)
{
    if (inTestMode || !url.isValid() || url.isEmpty()) {
        done(open(url));
        return;
    }
    // No parent: the program may end while xdg-open still waits for the program it started,
    // which must not be stopped with it.
    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::MergedChannels);
    QPointer<QObject> guard(context);
    auto answer = [process, guard, done](bool ok) {
        process->deleteLater();
        if (guard)
            done(ok);
    };
    QObject::connect(process, &QProcess::finished, process, [process, answer](int exitCode, QProcess::ExitStatus status) {
        answer(status == QProcess::NormalExit && exitCode == 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [answer](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            answer(false);
    });
    process->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
}

void setTestMode(bool on)
{
    inTestMode = on;
    testOpens = true;
    opened.clear();
}

void setTestOpens(bool opens)
{
    testOpens = opens;
}

QList<QUrl> openedUrls()
{
    return opened;
}

} // namespace Desktop
