#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>
#include <QWidget>

#include <functional>

class LargePageView;
class QPrinter;
class QPushButton;
class QThread;
class QWebEngineView;

// The page the viewer shows, confined to itself: it loads only the file it was asked to show.
// Every other navigation (a refresh, a link, a frame) is refused; an http or https link goes to
// the desktop's browser instead.
class ConfinedPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

    // Shows the file; an empty path shows an empty page.
    void show(const QString &path);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    QUrl m_allowed;
};

// "Report Viewer": shows a report page and opens another saved report, saves the shown one
// under a name of the user's choice, prints it, writes it as PDF, or closes. The window gets
// the file it shows when it opens; only Open changes it (following a link inside the page
// does not change what Save copies). A page too large for the web engine, or one whose renderer
// died, is shown by a reader of its own (LargePageView), and printed and written as PDF without
// the engine.
class ReportViewerWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ReportViewerWindow(const QString &path, QWidget *parent = nullptr);
    ~ReportViewerWindow() override;

    // The file Save copies.
    QString shownFile() const { return m_path; }

    void open(); // cmdOpen
    void save(); // cmdSave
    void print(); // cmdPrint
    void savePdf(); // cmdSavePdf
    // Prints on a printer already chosen, which the window then owns.
    void printTo(QPrinter *printer);

    // The web engine's view, made for the first page it is given (null until then).
    QWebEngineView *brwWebBrowser = nullptr;
    // The reader of a page too large for the engine (null while none is shown).
    LargePageView *largePage = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_savePdfButton = nullptr;
    QPushButton *m_closeButton = nullptr;

Q_SIGNALS:
    // The page has been loaded (ok false when it could not be).
    void pageLoaded(bool ok);
    // A PDF has been written, or could not be (the user has been told).
    void pdfFinished(const QString &path, bool written);
    // The page has gone to the printer, or could not.
    void printFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // A window closed while a dialog runs its own loop (a new report replaced it during Print)
    // goes once no dialog runs: deleted from within that loop, it would take the dialog, and the
    // command waiting for it, away from under them.
    bool event(QEvent *event) override;

private:
    void makeBrowser();
    // The view that shows the page, and where a view goes.
    QWidget *shownView() const;
    QRect viewGeometry() const;
    void navigate(const QString &path);
    // The page in the viewer's own reader, which takes the engine's place; says when the page
    // has been shown, or that it cannot be (a part too large).
    void showInReader(const QString &path);
    // A page nested too deeply for any reader: neither is given it, and the user hears so at once.
    void refuseTooDeep();
    // The bytes of a page the engine was not given.
    QByteArray largePageBytes() const;
    // Lays the page out for paper away from the window, which stays usable, then calls done;
    // one at a time (Print and Save as PDF wait meanwhile).
    void renderAway(std::function<void()> work, std::function<void()> done);
    // Writes a rendered PDF (empty when it could not be rendered) and says how that went.
    void finishPdf(const QString &target, const QByteArray &pdf);

    ConfinedPage *m_page = nullptr;
    QString m_path;
    bool m_tooLarge = false; // the file is more than the engine can show
    bool m_tooDeep = false; // the file nests too deeply for any reader: it is not shown
    QThread *m_pageWriter = nullptr; // the PDF or print of such a file being laid out
};

// The style the viewer lays over every page without touching its file: printed, a table
// (one job of a work sheet) is never split across two pages.
QString viewerStyleSheet();

// The program's name, as the desktop and a screen reader know it: "Tarvo Report Viewer".
void nameViewerProgram();

// Before the application object: what the web engine needs (shared OpenGL contexts, no
// Chromium sandbox when the program runs as root, which Chromium refuses otherwise) and
// quiet about its own set-up.
void prepareWebEngine();
