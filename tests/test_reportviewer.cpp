// The report viewer on the web engine and the Reports menu that opens it; few tests, as each starts Chromium.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Twips.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/reports/frmBrowser.h"
#include "gui/shell/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <csignal>
#include <unistd.h>

namespace {

// Chromium's first page can take a while on a loaded machine; this only bounds a hang.
constexpr int PageTimeoutMs = 120000;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestReportViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); initResources(); }
    void cleanup() { closeAllWindows(); }

    void reportsMenuWritesAndReopensTheViewer();
    void showsOpensSavesAndWritesPdf();
};

void TestReportViewer::reportsMenuWritesAndReopensTheViewer()
{
    TestWorld world;
    const qint64 pump = world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump 7"}});
    world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-12-01"), QStringLiteral("Belt changed"));
    frmmain window;
    window.load();

    window.action(QStringLiteral("mnuReport_0"))->trigger();
    QVERIFY(readFile(reportFile()).contains("<h1>All Data Report as of 12/6/2026</h1>\r\n"));
    QPointer<frmBrowser> first = reportViewer();
    QVERIFY(first && first->isVisible() && first->shownFile() == reportFile());
    QCOMPARE(first->windowTitle(), QStringLiteral("Report Viewer"));
    // View > Report Viewer raises the open viewer as it is.
    window.action(QStringLiteral("mnuReportView"))->trigger();
    QCOMPARE(reportViewer(), first.data());

    // Item History: the name from the list's Name column, the entries from the detail panel;
    // the viewer is closed and opened anew.
    window.rowClicked(1, 1);
    window.action(QStringLiteral("mnuReport_2"))->trigger();
    QVERIFY(!first && reportViewer());
    const QByteArray history = readFile(reportFile());
    QVERIFY(history.contains("<h1>History for Pump 7as of 12/6/2026, ID =" + QByteArray::number(pump) + "</h1>"));
    QVERIFY(history.contains("<td><b>12/1/2026</b></td>\r\n\r\n<td><b>Belt changed</b></td>"));

    // A refused command says why and leaves the file and the viewer alone.
    delete reportViewer();
    window.action(QStringLiteral("mnuReport_1"))->trigger();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select Display->Lookup"));
    QVERIFY(!reportViewer() && readFile(reportFile()) == history);

    // The viewer on its own shows the blank page, written when it is missing.
    window.action(QStringLiteral("mnuReportView"))->trigger();
    QCOMPARE(reportViewer()->shownFile(), blankPageFile());
    QCOMPARE(readFile(blankPageFile()), blankPage());

    // Help > Contents (F1) with no program of the desktop for the manual shows it here.
    Desktop::setTestOpens(false);
    window.action(QStringLiteral("mnuContents"))->trigger();
    Desktop::setTestOpens(true);
    QCOMPARE(reportViewer()->shownFile(), AppPaths::manualFile());
}

void TestReportViewer::showsOpensSavesAndWritesPdf()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme Pumps"), {{"city", QStringLiteral("\u017Bary")}});
    const QByteArray report = ReportCompanies(db(), Clock::today()).bytes;
    QVERIFY(SafeFile::write(reportFile(), report));
    frmBrowser viewer(reportFile());
    const QDir reports(AppPaths::reportsFolder());
    QSignalSpy loaded(&viewer, &frmBrowser::pageLoaded);
    viewer.show();
    QVERIFY(loaded.wait(PageTimeoutMs) && loaded.first().first().toBool());
    QString text;
    viewer.brwWebBrowser->page()->toPlainText([&text](const QString &t) { text = t; });
    QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), PageTimeoutMs);
    QVERIFY2(text.contains(u"Companies Report as of 12/6/2026") && text.contains(u"Company: Acme Pumps")
                 && text.contains(u"\u017Bary"), qPrintable(text)); // the entity shows the letter
    // The browser follows the window, up to 350 twips above its bottom.
    viewer.resize(800, 600);
    const int saveBottom = Twips::fromPixels(viewer.cmdSave->geometry().bottom() + 1);
    QCOMPARE(viewer.brwWebBrowser->size(),
             QSize(Twips::toPixels(12000 - 100), Twips::toPixels(9000 - saveBottom - 350)));

    const QString pdf = reports.filePath(QStringLiteral("companies.pdf"));
    QSignalSpy finished(&viewer, &frmBrowser::pdfFinished);
    FileDialog::setNextPath(pdf);
    viewer.savePdf();
    QVERIFY(finished.wait(PageTimeoutMs));
    QCOMPARE(finished.first(), QVariantList({pdf, true}));
    QVERIFY(readFile(pdf).startsWith("%PDF-") && readFile(pdf).trimmed().endsWith("%%EOF"));

    // A renderer that dies (as on a page too large for its memory) is reported, not left blank.
    QSignalSpy ended(viewer.brwWebBrowser->page(), &QWebEnginePage::renderProcessTerminated);
    QVERIFY(::kill(pid_t(viewer.brwWebBrowser->page()->renderProcessPid()), SIGKILL) == 0);
    QVERIFY(ended.wait(PageTimeoutMs));
    QCOMPARE(MessageBox::shownTexts(), QStringList{"The report viewer could not show this page; it may be too large. "
                                                   "Save still keeps a copy of the file."});

    // Open takes only a file that is there and not empty; a cancelled dialog does nothing.
    const QString empty = reports.filePath(QStringLiteral("empty.htm"));
    QVERIFY(SafeFile::write(empty, QByteArray()));
    for (const QString &name : {empty, reports.filePath(QStringLiteral("missing.htm")), QString()}) {
        MessageBox::clearShown();
        FileDialog::setNextPath(name);
        viewer.open();
        QCOMPARE(MessageBox::shownTexts(), name.isEmpty() ? QStringList() : QStringList{"Invalid path/file name"});
        QCOMPARE(viewer.shownFile(), reportFile());
    }

    // Save replaces a file only after OK (a new one, like the PDF, without asking), never the shown one.
    const QString copy = reports.filePath(QStringLiteral("copy.htm"));
    QVERIFY(SafeFile::write(copy, "old"));
    FileDialog::setNextPath(copy);
    viewer.save(); // the question is answered Cancel
    QCOMPARE(MessageBox::shownTexts(), QStringList{"File already exsists; It will be overwritten"});
    QCOMPARE(readFile(copy), QByteArray("old"));
    FileDialog::setNextPath(copy);
    MessageBox::setNextAnswer(MessageBox::Ok);
    viewer.save();
    QCOMPARE(readFile(copy), report);
    FileDialog::setNextPath(reportFile());
    viewer.save();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("The report is shown from that file; choose another name"));
    QCOMPARE(readFile(reportFile()), report);
    // Nor the working database, by any of its names, as a page or as PDF.
    const QString hard = reports.filePath(QStringLiteral("hard.mdb"));
    const QString soft = reports.filePath(QStringLiteral("soft.mdb"));
    QVERIFY(::link(QFile::encodeName(world.databasePath()).constData(), QFile::encodeName(hard).constData()) == 0);
    QVERIFY(QFile::link(world.databasePath(), soft));
    const QByteArray working = readFile(world.databasePath());
    for (const QString &name : {world.databasePath(), hard, soft}) {
        for (auto command : {&frmBrowser::save, &frmBrowser::savePdf}) {
            MessageBox::clearShown();
            FileDialog::setNextPath(name);
            MessageBox::setNextAnswer(MessageBox::Ok);
            (viewer.*command)();
            QCOMPARE(MessageBox::shownTexts(), QStringList{QString::fromLatin1(SafeFile::InUseMessage)});
        }
    }
    QCOMPARE(readFile(world.databasePath()), working);

    // A good file is opened and shown.
    loaded.clear();
    FileDialog::setNextPath(copy);
    viewer.open();
    QCOMPARE(viewer.shownFile(), copy);
    QVERIFY(loaded.wait(PageTimeoutMs));
    QCOMPARE(viewer.brwWebBrowser->url(), QUrl::fromLocalFile(copy));
}

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    TestReportViewer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_reportviewer.moc"
