// The report viewer on the web engine and the Reports menu that opens it; few tests, as each starts Chromium.

#include "TestSupport.h"

#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Twips.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "core/reports/ViewerProtocol.h"
#include "core/settings/AppPaths.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/reports/ViewerClient.h"
#include "viewer/LargePage.h"
#include "viewer/PagePdf.h"
#include "viewer/ReportViewerWindow.h"
#include "viewer/ViewerLayout.h"
#include "viewer/ViewerService.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Chromium's first page can take a while on a loaded machine; this only bounds a hang.
constexpr int PageTimeoutMs = 120000;

int pdfPages(const QString &path)
{
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page\\b"));
    return int(QString::fromLatin1(readFile(path)).count(pageObject));
}

// Rows of a one-line table that make it some 0.65 of a printed page, laid out without the engine.
constexpr int ItemRows = 40;

QString writePage(const TestWorld &world, const QString &name, const QByteArray &page)
{
    const QString path = QDir(world.folder()).filePath(name);
    return SafeFile::write(path, page) ? path : QString();
}

// Save as PDF into `path` through the dialog: what the viewer said when it finished, if it did.
QVariantList savePdfAs(ReportViewerWindow &viewer, const QString &path)
{
    QSignalSpy finished(&viewer, &ReportViewerWindow::pdfFinished);
    FileDialog::setNextPath(path);
    viewer.savePdf();
    return finished.wait(PageTimeoutMs) ? finished.first() : QVariantList();
}

// A page of 5,000 tables each in the cell of the one before: 165 KB that no reader lays out.
const QByteArray DeeplyNested = "<html><body>" + QByteArray("<table><tr><td>").repeated(5000) + "deep</body></html>";

} // namespace

class TestReportViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup() { closeAllWindows(); }

    void reportsMenuWritesAndReopensTheViewer()
    {
        TestWorld world;
        const qint64 pump = world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump 7"}});
        world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-12-01"), QStringLiteral("Belt changed"));
        MainWindow window(appContext());
        window.load();
        ViewerClient &viewer = ViewerClient::instance();
        QSignalSpy shown(&viewer, &ViewerClient::shown);
        QSignalSpy loaded(&viewer, &ViewerClient::loaded);
        QSignalSpy closed(&viewer, &ViewerClient::closed);
        const auto nextShown = [&] {
            shown.clear();
            return shown.wait(PageTimeoutMs) ? shown.first().first().toString() : QStringLiteral("(none)");
        };

        // The viewer program starts on the first report and shows the file it was given.
        window.action(QStringLiteral("mnuReport_0"))->trigger();
        QCOMPARE(nextShown(), reportFile());
        QVERIFY(loaded.wait(PageTimeoutMs) && loaded.first().first().toBool());
        const qint64 first = viewer.processId();
        // View > Report Viewer raises it as it is; a later report reuses it.
        window.action(QStringLiteral("mnuReportView"))->trigger();
        QCOMPARE(nextShown(), reportFile());
        window.itemList()->rowClicked(1, 1);
        window.action(QStringLiteral("mnuReport_2"))->trigger();
        QCOMPARE(nextShown(), reportFile());
        QCOMPARE(viewer.processId(), first);
        const QByteArray history = readFile(reportFile());
        QVERIFY(history.contains("<td><b>Belt changed</b></td>")); // the selected item's history

        // A refused command says why and leaves the file and the viewer alone.
        shown.clear();
        window.action(QStringLiteral("mnuReport_1"))->trigger();
        QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select Display->Lookup"));
        QVERIFY(!shown.wait(500) && readFile(reportFile()) == history);

        // Closing its window ends the viewer; a viewer that died is started again on the next request,
        // which then shows the blank page, written when it is missing.
        viewer.close();
        QVERIFY(closed.wait(PageTimeoutMs) && !viewer.isRunning());
        window.action(QStringLiteral("mnuReportView"))->trigger();
        QCOMPARE(nextShown(), blankPageFile());
        QCOMPARE(readFile(blankPageFile()), blankPage());
        closed.clear();
        QVERIFY(::kill(pid_t(viewer.processId()), SIGKILL) == 0);
        QVERIFY(closed.wait(PageTimeoutMs));
        window.action(QStringLiteral("mnuReport_0"))->trigger();
        QCOMPARE(nextShown(), reportFile());
        QVERIFY(viewer.processId() != first);

        // Help > Contents (F1) with no program of the desktop for the manual shows it in the viewer.
        Desktop::setTestOpens(false);
        window.action(QStringLiteral("mnuContents"))->trigger();
        Desktop::setTestOpens(true);
        QCOMPARE(nextShown(), AppPaths::manualFile());
    }

    void requestToAnEndingViewer_data()
    {
        QTest::addColumn<bool>("saysClosed");
        QTest::addColumn<int>("starts");
        QTest::newRow("its window was closed as the request went out") << true << 2;
        QTest::newRow("it died on the request") << false << 1;
    }

    void requestToAnEndingViewer()
    {
        QFETCH(bool, saysClosed);
        QFETCH(int, starts);
        // A stand-in viewer: the first one ends without answering, the next shows what it is asked.
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("viewer"));
        QVERIFY(SafeFile::write(program, QByteArray("#!/bin/sh\nn=$(cat \"$0.n\" 2>/dev/null || echo 0); echo $((n+1)) >\"$0.n\"\nread verb arg\n") + "if [ $n = 0 ]; then " + (saysClosed ? "echo closed; " : "") + "exit; fi\necho \"shown $arg\"\n"));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        ViewerClient &viewer = ViewerClient::instance();
        viewer.close(); // the real one, left by an earlier test
        QTRY_VERIFY_WITH_TIMEOUT(!viewer.isRunning(), PageTimeoutMs);
        ViewerClient::setProgram(program);
        QSignalSpy shown(&viewer, &ViewerClient::shown);
        QSignalSpy closed(&viewer, &ViewerClient::closed);
        viewer.show(QStringLiteral("/reports/a b.htm"));
        QTRY_COMPARE(closed.size(), starts);
        ViewerClient::setProgram(QString());
        QCOMPARE(readFile(program + QStringLiteral(".n")).trimmed(), QByteArray::number(starts));
        QCOMPARE(shown.size(), starts - 1);
        if (!shown.isEmpty())
            QCOMPARE(shown.first().first().toString(), QStringLiteral("/reports/a b.htm"));
    }

    void showsOpensSavesAndWritesPdf()
    {
        TestWorld world;
        world.addCompany(QStringLiteral("Acme Pumps"), {{"city", QStringLiteral("\u017Bary")}});
        const QByteArray report = reportCompanies(db(), Clock::today()).bytes;
        QVERIFY(SafeFile::write(reportFile(), report));
        ViewerService service;
        service.receive("show " + QUrl::toPercentEncoding(reportFile()) + "\n");
        ReportViewerWindow &viewer = *service.window();
        const QDir reports(AppPaths::reportsFolder());
        QSignalSpy loaded(&viewer, &ReportViewerWindow::pageLoaded);
        QVERIFY(loaded.wait(PageTimeoutMs) && loaded.first().first().toBool());
        QString text;
        viewer.brwWebBrowser->page()->toPlainText([&text](const QString &t) { text = t; });
        QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), PageTimeoutMs);
        QVERIFY2(text.contains(u"Companies Report as of 12/6/2026") && text.contains(u"Company: Acme Pumps")
                     && text.contains(u"\u017Bary"),
                 qPrintable(text)); // the entity shows the letter
        // The browser follows the window, up to 350 twips above its bottom.
        viewer.resize(800, 600);
        const int saveBottom = Twips::fromPixels(control<QPushButton>(&viewer, "cmdSave")->geometry().bottom() + 1);
        QCOMPARE(viewer.brwWebBrowser->size(),
                 QSize(Twips::toPixels(12000 - 100), Twips::toPixels(9000 - saveBottom - 350)));

        // A renderer that dies (as on a page too large for its memory) leaves the page to the
        // viewer's own reader, not blank; Save as PDF then works without the engine.
        loaded.clear();
        QVERIFY(::kill(pid_t(viewer.brwWebBrowser->page()->renderProcessPid()), SIGKILL) == 0);
        QVERIFY(loaded.wait(PageTimeoutMs) && loaded.first().first().toBool());
        QVERIFY(viewer.largePage && viewer.largePage->isVisible() && !viewer.brwWebBrowser->isVisible());
        QVERIFY(viewer.largePage->shownText().contains(u"Company: Acme Pumps") && MessageBox::shownTexts().isEmpty());
        const QString pdf = reports.filePath(QStringLiteral("companies.pdf"));
        QCOMPARE(savePdfAs(viewer, pdf), QVariantList({pdf, true}));
        QVERIFY(readFile(pdf).startsWith("%PDF-") && readFile(pdf).trimmed().endsWith("%%EOF"));

        // Open takes only a file that is there and not empty; a cancelled dialog does nothing.
        const QString empty = reports.filePath(QStringLiteral("empty.htm"));
        QVERIFY(SafeFile::write(empty, QByteArray()));
        for (const QString &name : {empty, reports.filePath(QStringLiteral("missing.htm")), QString()}) {
            MessageBox::clearShown();
            FileDialog::setNextPath(name);
            viewer.open();
            QCOMPARE(MessageBox::shownTexts(), name.isEmpty() ? QStringList() : QStringList {u"Invalid path/file name"_s});
            QCOMPARE(viewer.shownFile(), reportFile());
        }

        // Save replaces a file only after OK (a new one, like the PDF, without asking), never the shown one.
        const QString copy = reports.filePath(QStringLiteral("copy.htm"));
        QVERIFY(SafeFile::write(copy, "old"));
        FileDialog::setNextPath(copy);
        viewer.save(); // the question is answered Cancel
        QCOMPARE(MessageBox::shownTexts(), QStringList {u"File already exsists; It will be overwritten"_s});
        QCOMPARE(readFile(copy), QByteArray("old"));
        FileDialog::setNextPath(copy);
        MessageBox::setNextAnswer(MessageBox::Ok);
        viewer.save();
        QCOMPARE(readFile(copy), report);
        FileDialog::setNextPath(reportFile());
        viewer.save();
        QCOMPARE(MessageBox::lastText(), QStringLiteral("The report is shown from that file; choose another name"));
        QCOMPARE(readFile(reportFile()), report);
        // Nor the working database (its other names are the staged writer's own test), as a page or as PDF.
        const QByteArray working = readFile(world.databasePath());
        for (auto command : {&ReportViewerWindow::save, &ReportViewerWindow::savePdf}) {
            MessageBox::clearShown();
            FileDialog::setNextPath(world.databasePath());
            MessageBox::setNextAnswer(MessageBox::Ok);
            (viewer.*command)();
            QCOMPARE(MessageBox::shownTexts(), QStringList {QString::fromLatin1(SafeFile::InUseMessage)});
        }
        QCOMPARE(readFile(world.databasePath()), working);

        loaded.clear();
        FileDialog::setNextPath(copy);
        viewer.open();
        QCOMPARE(viewer.shownFile(), copy);
        QVERIFY(loaded.wait(PageTimeoutMs));
        QCOMPARE(viewer.brwWebBrowser->url(), QUrl::fromLocalFile(copy));

        // A new report while the Print dialog is open: the window goes once the dialog has ended.
        QPointer<ReportViewerWindow> old = &viewer;
        QTimer::singleShot(200, [&] {
            service.receive("show " + QUrl::toPercentEncoding(copy) + "\n");
            QTimer::singleShot(200, [] { QApplication::activeModalWidget()->close(); });
        });
        viewer.print();
        QVERIFY(old && service.window() != old);
        QTRY_VERIFY(!old);

        // Closed, the program ends, and a request that arrives meanwhile is left for the next viewer.
        QSignalSpy replies(&service, &ViewerService::reply);
        service.receive("close\n");
        QTRY_COMPARE(replies.size(), 1);
        service.receive("show " + QUrl::toPercentEncoding(copy) + "\n");
        QCOMPARE(replies, QList<QVariantList>({{QByteArray("closed\n")}}));
        QVERIFY(!service.window());
    }

    void printKeepsEachTableOnOnePage()
    {
        // Three tables of 25 rows, each taller than half a page: split where they fall, they fill
        // two pages; kept whole, each takes a page of its own. The file itself stays as written.
        TestWorld world;
        QByteArray page = "<html><body>";
        for (int table = 0; table < 3; ++table)
            page += "<table>" + QByteArray("<tr><td>Job line</td></tr>").repeated(25) + "</table>";
        page += "Caf\xe9</body></html>"; // in the 8-bit set, as the engine reads it
        const QString path = writePage(world, u"sheet.htm"_s, page);
        ReportViewerWindow viewer(path);
        QSignalSpy loaded(&viewer, &ReportViewerWindow::pageLoaded);
        QVERIFY(loaded.wait(PageTimeoutMs));
        const QString pdf = QDir(world.folder()).filePath(QStringLiteral("sheet.pdf"));
        QCOMPARE(savePdfAs(viewer, pdf), QVariantList({pdf, true}));
        QVERIFY(pdfPages(pdf) == 3 && readFile(path) == page);
    }

    // Beyond 4 MB the engine is not given the page, nor the viewer's own reader a part (up to an <hr>)
    // it could not lay out quickly; a page nested too deeply neither: the user hears so at once.
    void refusedPageSaysSoAtOnce_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("message");
        QTest::newRow("too large") << "<html><body><!--" + QByteArray(4'000'000, 'x') + "--></body></html>" << u"The report viewer could not show this page; it may be too large. Save, Save as PDF and Print still work."_s;
        QTest::newRow("nested too deeply") << DeeplyNested << u"The report viewer cannot show this page: its parts are nested too deeply to be laid out. Save still works."_s;
    }

    void refusedPageSaysSoAtOnce()
    {
        QFETCH(QByteArray, page);
        TestWorld world;
        const QString path = writePage(world, u"refused.htm"_s, page);
        ReportViewerWindow viewer(path);
        QSignalSpy loaded(&viewer, &ReportViewerWindow::pageLoaded);
        QVERIFY(loaded.wait(1000) && !loaded.first().first().toBool());
        QTEST(MessageBox::lastText(), "message");
        const QString copy = QDir(world.folder()).filePath(QStringLiteral("copy.htm"));
        FileDialog::setNextPath(copy);
        viewer.save();
        QCOMPARE(readFile(copy), page);
        if (page == DeeplyNested) {
            QVERIFY(!viewer.largePage && (!viewer.brwWebBrowser || !viewer.brwWebBrowser->isVisibleTo(&viewer)));
            QVERIFY(!viewer.m_printButton->isEnabled() && !viewer.m_savePdfButton->isEnabled());
            return;
        }
        // The PDF of a large page is made from the file; a file gone meanwhile is said to be so, never a blank PDF.
        QVERIFY(QFile::remove(path));
        const QString pdf = QDir(world.folder()).filePath(QStringLiteral("large.pdf"));
        QCOMPARE(savePdfAs(viewer, pdf), QVariantList({pdf, false}));
        QVERIFY(!QFile::exists(pdf));
    }

    void viewerEndsWithItsInputWhateverIsOpen()
    {
        // The viewer program shows its "cannot show" box; the main program ends (its side of the pipe
        // closes): the viewer ends too, box and all, and does not crash.
        TestWorld world;
        QProcess viewer;
        viewer.start(ViewerClient::program(), {QStringLiteral("--folder"), world.folder()});
        QVERIFY(viewer.waitForStarted());
        viewer.write(ViewerProtocol::line(QStringLiteral("show"), writePage(world, u"nested.htm"_s, DeeplyNested)));
        QByteArray said;
        while (!said.contains("loaded") && viewer.waitForReadyRead(PageTimeoutMs))
            said += viewer.readAllStandardOutput();
        QVERIFY2(said.contains("loaded 0"), said.constData());
        QTest::qWait(300); // the box is open by now
        viewer.closeWriteChannel();
        QVERIFY(viewer.waitForFinished(30000));
        QCOMPARE(viewer.exitStatus(), QProcess::NormalExit);
    }

    void viewerIsAFrameOfItsOwnProgram()
    {
        // A screen reader hears of a frame of the program "Tarvo Report Viewer".
        TestWorld world;
        const QString name = QCoreApplication::applicationName();
        nameViewerProgram();
        const QString viewerName = QAccessible::queryAccessibleInterface(qApp)->text(QAccessible::Name);
        QCoreApplication::setApplicationName(name);
        QCOMPARE(viewerName, QStringLiteral("Tarvo Report Viewer"));
        ReportViewerWindow viewer {QString()};
        QCOMPARE(QAccessible::queryAccessibleInterface(&viewer)->role(), QAccessible::Window);
    }

    void largePageIsShownAPartAtATime()
    {
        // A larger page of items is shown by the viewer's own reader, from the first item to the
        // last, input boxes and all; printed and as PDF each item (0.65 of a page, up to its <hr>) is kept whole on a page,
        // one a page, where split they would fill two thirds as many.
        TestWorld world;
        QByteArray page = "<html><body>";
        const int items = 41;
        for (int item = 0; item < items; ++item)
            page += "<table>" + QByteArray("<tr><td>Item " + QByteArray::number(item) + " line</td></tr>").repeated(ItemRows)
                + "</table><input size=30><!--" + QByteArray(100'000, 'x') + "--><hr>";
        page += "Caf\xe9</body></html>"; // in the 8-bit set, as the engine reads it
        ReportViewerWindow viewer(writePage(world, u"large.htm"_s, page));
        QSignalSpy loaded(&viewer, &ReportViewerWindow::pageLoaded);
        viewer.show();
        QVERIFY(loaded.wait(5000) && loaded.first().first().toBool());
        QVERIFY(!viewer.brwWebBrowser && MessageBox::shownTexts().isEmpty());
        const QString top = viewer.largePage->shownText();
        QVERIFY(top.contains(QStringLiteral("Item 0 line")) && !top.contains(QStringLiteral("Item 40 line")) && top.contains(QChar::ObjectReplacementCharacter)); // the input box, an empty box
        // Text is selected with the mouse within what is shown, or all of it, and copied.
        QWidget *area = viewer.largePage->viewport();
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(area->width() / 2, area->height() - 1));
        QTest::keyClick(viewer.largePage, Qt::Key_C, Qt::ControlModifier);
        const QString dragged = QGuiApplication::clipboard()->text();
        QVERIFY2(dragged.trimmed().startsWith(QStringLiteral("Item 0 line\nItem 0 line")) && !dragged.contains(u"Item 2 line"), qPrintable(dragged));
        QTest::keyClick(viewer.largePage, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(viewer.largePage, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().count(u"line"), items * ItemRows);
        QTest::keyClick(viewer.largePage, Qt::Key_End);
        const QString end = viewer.largePage->shownText();
        QVERIFY(end.endsWith(u"Caf\u00e9") && end.contains(u"Item 40 line") && !end.contains(u"Item 0 line"));

        const QString pdf = QDir(world.folder()).filePath(QStringLiteral("large.pdf"));
        QCOMPARE(savePdfAs(viewer, pdf), QVariantList({pdf, true}));
        QCOMPARE(pdfPages(pdf), items);
        const QString printed = QDir(world.folder()).filePath(QStringLiteral("printed.pdf"));
        auto *printer = new QPrinter(QPrinter::HighResolution);
        printer->setOutputFileName(printed);
        QSignalSpy printDone(&viewer, &ReportViewerWindow::printFinished);
        viewer.printTo(printer);
        QVERIFY(printDone.wait(PageTimeoutMs) && printDone.first().first().toBool());
        QCOMPARE(pdfPages(printed), items);
    }

    void pageIsCutAfterEachItem_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QList<qsizetype>>("starts"); // of the parts, then the page's end
        QTest::newRow("items") << QByteArray("<h1>T</h1><hr><br>a<HR>b<hr/>") << QList<qsizetype> {0, 14, 23, 29};
        QTest::newRow("rule in a table") << QByteArray("<table><tr><td><hr></td></tr></TABLE>x<hr>") << QList<qsizetype> {0, 42};
        QTest::newRow("other tags") << QByteArray("<hra><tablex><hr >y") << QList<qsizetype> {0, 18, 19};
        QTest::newRow("unended rule") << QByteArray("a<hr") << QList<qsizetype> {0, 4};
        QTest::newRow("8-bit, read as UTF-8") << QByteArray("a<hr>caf\xE9") << QList<qsizetype> {0, 5, 10};
    }

    void pageIsCutAfterEachItem()
    {
        QFETCH(QByteArray, page);
        QTEST(pageParts(pageAsUtf8(page)), "starts"); // as the reader gets it
    }

    void keyboardReachesAndCloses_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Esc anywhere") << QStringLiteral("cmdSave") << int(Qt::Key_Escape);
        QTest::newRow("Enter on Close") << QStringLiteral("cmdClose") << int(Qt::Key_Return);
    }

    void keyboardReachesAndCloses()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        TestWorld world;
        QPointer<ReportViewerWindow> viewer = new ReportViewerWindow(writePage(world, u"page.htm"_s, "<html><body><p>Page text</p></body></html>"));
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        QSignalSpy loaded(viewer.data(), &ReportViewerWindow::pageLoaded);
        viewer->show();
        QVERIFY(loaded.wait(PageTimeoutMs));
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        // Tab goes along the buttons into the page, which hands it on (after a round trip) back to the first.
        const QStringList order {u"cmdOpen"_s, u"cmdSave"_s, u"cmdPrint"_s, u"cmdSavePdf"_s, u"cmdClose"_s, u"brwWebBrowser"_s, u"cmdOpen"_s};
        for (const QString &next : order) {
            QTRY_VERIFY2(QApplication::focusWidget() && (QApplication::focusWidget()->objectName() == next || viewer->findChild<QWidget *>(next)->isAncestorOf(QApplication::focusWidget())), qPrintable(next));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(overlapFault(viewer), QString());
        QWidget *target = viewer->findChild<QWidget *>(button);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(!viewer || !viewer->isVisible());
    }

    void pageStaysConfinedToItsFile_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::newRow("frame") << QStringLiteral("<iframe src=\"%1\"></iframe>");
        QTest::newRow("object") << QStringLiteral("<object data=\"%1\" type=\"text/plain\"></object>");
        QTest::newRow("refresh") << QStringLiteral("<meta http-equiv=refresh content=\"0;url=%1\">");
        QTest::newRow("image") << QStringLiteral("<img src=\"%1\">");
    }

    void pageStaysConfinedToItsFile()
    {
        QFETCH(QString, reference);
        TestWorld world;
        const QDir folder(world.folder());
        QVERIFY(SafeFile::write(folder.filePath(QStringLiteral("secret.txt")), "Secret text"));
        const QImage image(QSize(40, 30), QImage::Format_RGB32);
        QVERIFY(image.save(folder.filePath(QStringLiteral("secret.png"))));
        const QString target = QUrl::fromLocalFile(folder.filePath(reference.contains(u"img") ? u"secret.png"_s : u"secret.txt"_s)).toString();
        const QString page = folder.filePath(QStringLiteral("page.htm"));
        QVERIFY(SafeFile::write(page, (u"<html><body><p>Page text</p>"_s + reference.arg(target) + u"</body></html>"_s).toUtf8()));

        ReportViewerWindow viewer(page);
        QSignalSpy loaded(&viewer, &ReportViewerWindow::pageLoaded);
        viewer.show();
        QVERIFY(loaded.wait(PageTimeoutMs));
        QTest::qWait(300); // time for a refresh or a frame to follow
        // Found anywhere on the page, frames included; the page's own text proves the search works.
        const auto found = [&](const QString &text) {
            int count = -1;
            viewer.brwWebBrowser->page()->findText(text, {}, [&](const QWebEngineFindTextResult &r) { count = r.numberOfMatches(); });
            return QTest::qWaitFor([&] { return count >= 0; }, PageTimeoutMs) ? count : -1;
        };
        QCOMPARE(found(QStringLiteral("Page text")), 1);
        QCOMPARE(found(QStringLiteral("Secret text")), 0);
        QCOMPARE(viewer.brwWebBrowser->url(), QUrl::fromLocalFile(page));
        int imageWidth = -1;
        viewer.brwWebBrowser->page()->runJavaScript(QStringLiteral("document.images.length ? document.images[0].naturalWidth : 0"),
                                                    QWebEngineScript::ApplicationWorld,
                                                    [&](const QVariant &width) { imageWidth = width.toInt(); });
        QTRY_VERIFY_WITH_TIMEOUT(imageWidth >= 0, PageTimeoutMs);
        QCOMPARE(imageWidth, 0);
    }

    void readerScrollsByTheStepAndReadsNoOtherFile()
    {
        // Items of 1 and 30 lines, whose heights are estimated wrong until laid out: each step up
        // from the end moves the text by the step (20 pixels), neither skipping it nor repeating it.
        // At the top, the image the page names is not there: the reader, as the engine, reads no other file.
        QTemporaryDir folder;
        QImage red(200, 100, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(folder.filePath(QStringLiteral("red.png"))));
        QByteArray page = "<img src=\"" + QUrl::fromLocalFile(folder.filePath(QStringLiteral("red.png"))).toEncoded() + "\">";
        for (int item = 0; item < 60; ++item)
            page += QByteArray("<p>Item " + QByteArray::number(item) + "</p>").repeated(item % 5 ? 1 : 30) + "<hr>";
        LargePageView view;
        view.resize(400, 300);
        QVERIFY(view.setPage(page));
        QTest::keyClick(&view, Qt::Key_End);
        QImage before = view.viewport()->grab().toImage();
        for (int step = 0; step < 2000 && view.verticalScrollBar()->value() >= 20; ++step) {
            view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            const QImage after = view.viewport()->grab().toImage();
            QVERIFY(after.copy(0, 20, 400, 200) == std::exchange(before, after).copy(0, 0, 400, 200));
        }
        // Home goes to the top from within a screen of it, the heights above estimated anew (the width changed).
        QTest::keyClick(&view, Qt::Key_PageDown);
        QTest::keyClick(&view, Qt::Key_PageDown);
        QTest::keyClick(&view, Qt::Key_PageDown);
        view.resize(390, 900);
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(view.verticalScrollBar()->value(), 0);
        QVERIFY(view.viewport()->grab().toImage().pixelColor(50, 50) != QColor(Qt::red));
    }

    void printBreaksATallPartBetweenRows()
    {
        // An item taller than a page (a long history) runs on over pages that end between rows, none
        // drawn cut through on two: 150 rows draw 150 times the text (operators) of one.
        const auto textDraws = [](int rows) {
            const QByteArray pdf = pagePdf("<table>" + QByteArray("<tr><td>Belt changed</td></tr>").repeated(rows) + "</table>",
                                           QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            qsizetype draws = 0;
            const QByteArray mark = "/FlateDecode\n>>\nstream\n";
            for (qsizetype at = pdf.indexOf(mark); at >= 0; at = pdf.indexOf(mark, at + 1))
                draws += qUncompress(QByteArray("\0\x10\0\0", 4) + pdf.mid(at + mark.size(), pdf.indexOf("endstream", at) - at - mark.size())).count(" Tj");
            return draws;
        };
        QCOMPARE(textDraws(150), 150 * textDraws(1));
    }

    void viewerBrowserFollowsTheWindow()
    {
        // In twips, the Save button ending 435 down: the browser is 100 narrower than the inside
        // and reaches to 350 above its bottom, each only while there is room; else it keeps its size.
        const QSize current(9000, 6000);
        QCOMPARE(viewerBrowserSize(current, QSize(101, 786), 435), QSize(1, 1));
        QCOMPARE(viewerBrowserSize(current, QSize(100, 785), 435), current);
    }
};

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    TestReportViewer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_reportviewer.moc"
