// The report viewer on the web engine, and the Reports menu that opens it. Each test starts
// a page in Chromium, so they are few.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Twips.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "core/data/DatabaseADO.h"
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

namespace {

// Chromium's first page can take a while on a loaded machine; this only bounds a hang.
constexpr int PageTimeoutMs = 120000;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(SafeFile::write(path, bytes));
}

QString inReports(const char *name)
{
    return QDir(AppPaths::reportsFolder()).filePath(QString::fromLatin1(name));
}

} // namespace

class TestReportViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void cleanup() { closeAllWindows(); }

    void reportsMenuWritesAndReopensTheViewer();
    void openTakesOnlyNonEmptyFiles();
    void saveCopiesTheShownFileAndAsksFirst();
    void loadsAReportAndWritesItsPdf();
};

void TestReportViewer::reportsMenuWritesAndReopensTheViewer()
{
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 pump = world.addItem(acme, {{"Name", "Pump 7"}});
    world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-12-01"), QStringLiteral("Belt changed"));
    frmmain window;
    window.load();

    window.action(QStringLiteral("mnuReport_0"))->trigger();
    QVERIFY(readFile(reportFile()).contains("<h1>All Data Report as of 12/6/2026</h1>\r\n"));
    QPointer<frmBrowser> first = reportViewer();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Report Viewer"));
    QCOMPARE(first->shownFile(), reportFile());

    // View > Report Viewer raises the open viewer and keeps its page.
    window.action(QStringLiteral("mnuReportView"))->trigger();
    QCOMPARE(reportViewer(), first.data());
    QCOMPARE(first->shownFile(), reportFile());

    // Item History: the name from the list's Name column, the entries from the detail panel;
    // the viewer is closed and opened anew.
    window.rowClicked(1, 1);
    window.action(QStringLiteral("mnuReport_2"))->trigger();
    QVERIFY(!first);
    QVERIFY(reportViewer());
    const QByteArray history = readFile(reportFile());
    QVERIFY2(history.contains("<h1>History for Pump 7as of 12/6/2026, ID =" + QByteArray::number(pump) + "</h1>"),
             history.constData());
    QVERIFY(history.contains("<td><b>12/1/2026</b></td>\r\n\r\n<td><b>Belt changed</b></td>"));

    // A refused command says why and leaves the file and the viewer alone.
    delete reportViewer();
    window.action(QStringLiteral("mnuReport_1"))->trigger();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select Display->Lookup"));
    QVERIFY(!reportViewer());
    QCOMPARE(readFile(reportFile()), history);

    // The viewer on its own shows the blank page, written when it is missing.
    QVERIFY(!QFile::exists(blankPageFile()));
    window.action(QStringLiteral("mnuReportView"))->trigger();
    QVERIFY(reportViewer());
    QCOMPARE(reportViewer()->shownFile(), blankPageFile());
    QCOMPARE(readFile(blankPageFile()), blankPage());

    QVERIFY(window.action(QStringLiteral("mnuExportCsv"))->isEnabled());
}

void TestReportViewer::openTakesOnlyNonEmptyFiles()
{
    TestWorld world;
    writeFile(blankPageFile(), blankPage());
    frmBrowser viewer(blankPageFile());
    writeFile(inReports("empty.htm"), QByteArray());
    writeFile(inReports("saved.htm"), "<p>saved</p>\r\n");

    for (const char *name : {"empty.htm", "missing.htm"}) {
        MessageBox::clearShown();
        FileDialog::setNextPath(inReports(name));
        viewer.open();
        QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("Invalid path/file name")});
        QCOMPARE(viewer.shownFile(), blankPageFile());
    }

    MessageBox::clearShown();
    viewer.open(); // cancelled
    QCOMPARE(MessageBox::shownTexts(), QStringList());
    QCOMPARE(viewer.shownFile(), blankPageFile());

    QSignalSpy loaded(&viewer, &frmBrowser::pageLoaded);
    FileDialog::setNextPath(inReports("saved.htm"));
    viewer.open();
    QCOMPARE(viewer.shownFile(), inReports("saved.htm"));
    QVERIFY(loaded.wait(PageTimeoutMs));
    QCOMPARE(viewer.brwWebBrowser->url(), QUrl::fromLocalFile(inReports("saved.htm")));
}

void TestReportViewer::saveCopiesTheShownFileAndAsksFirst()
{
    TestWorld world;
    writeFile(reportFile(), "report one");
    frmBrowser viewer(reportFile());
    const QString copy = inReports("copy.htm");

    FileDialog::setNextPath(copy);
    viewer.save();
    QCOMPARE(MessageBox::shownTexts(), QStringList()); // a new name: no question
    QCOMPARE(readFile(copy), QByteArray("report one"));

    writeFile(reportFile(), "report two");
    FileDialog::setNextPath(copy);
    viewer.save(); // the question is answered Cancel
    QCOMPARE(MessageBox::lastText(), QStringLiteral("File already exsists; It will be overwritten"));
    QCOMPARE(readFile(copy), QByteArray("report one"));

    FileDialog::setNextPath(copy);
    MessageBox::setNextAnswer(MessageBox::Ok);
    viewer.save();
    QCOMPARE(readFile(copy), QByteArray("report two"));

    // Never onto the file it shows.
    MessageBox::clearShown();
    FileDialog::setNextPath(reportFile());
    MessageBox::setNextAnswer(MessageBox::Ok);
    viewer.save();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("The report is shown from that file; choose another name")});
    QCOMPARE(readFile(reportFile()), QByteArray("report two"));

    // The browser follows the window; a window too narrow keeps the browser's width.
    viewer.show();
    viewer.resize(800, 600);
    QCOMPARE(viewer.brwWebBrowser->width(), Twips::toPixels(12000 - 100));
    const int saveBottom = Twips::fromPixels(viewer.cmdSave->geometry().bottom() + 1);
    QCOMPARE(viewer.brwWebBrowser->height(), Twips::toPixels(9000 - saveBottom - 350));
    viewer.resize(6, 600);
    QCOMPARE(viewer.brwWebBrowser->width(), Twips::toPixels(12000 - 100));
}

void TestReportViewer::loadsAReportAndWritesItsPdf()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme Pumps"), {{"city", QStringLiteral("\u017Bary")}});
    writeFile(reportFile(), ReportCompanies(db(), Clock::today()).bytes);
    frmBrowser viewer(reportFile());
    QSignalSpy loaded(&viewer, &frmBrowser::pageLoaded);
    viewer.show();
    QVERIFY(loaded.wait(PageTimeoutMs));
    QCOMPARE(loaded.first().first().toBool(), true);

    QString text;
    viewer.brwWebBrowser->page()->toPlainText([&text](const QString &t) { text = t; });
    QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), PageTimeoutMs);
    QVERIFY2(text.contains(QStringLiteral("Companies Report as of 12/6/2026")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Company: Acme Pumps")));
    QVERIFY(text.contains(QStringLiteral("\u017Bary"))); // the entity shows the letter

    const QString pdf = inReports("companies.pdf");
    QSignalSpy finished(&viewer, &frmBrowser::pdfFinished);
    FileDialog::setNextPath(pdf);
    viewer.savePdf();
    QVERIFY(finished.wait(PageTimeoutMs));
    QCOMPARE(finished.first().at(0).toString(), pdf);
    QCOMPARE(finished.first().at(1).toBool(), true);
    const QByteArray bytes = readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));

    // A renderer that dies (as on a page too large for its memory) is reported, not left blank.
    MessageBox::clearShown();
    QSignalSpy ended(viewer.brwWebBrowser->page(), &QWebEnginePage::renderProcessTerminated);
    QVERIFY(::kill(pid_t(viewer.brwWebBrowser->page()->renderProcessPid()), SIGKILL) == 0);
    QVERIFY(ended.wait(PageTimeoutMs));
    QCOMPARE(MessageBox::shownTexts().size(), 1);
    QVERIFY(MessageBox::lastText().startsWith(QStringLiteral("The report viewer could not show this page")));
}

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    TestReportViewer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_reportviewer.moc"
