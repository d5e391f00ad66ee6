#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QWebEngineView;

// "Report Viewer": shows a report page and opens another saved report, saves the shown one
// under a name of the user's choice, prints it, writes it as PDF, or closes. The window gets
// the file it shows when it opens; only Open changes it (following a link inside the page
// does not change what Save copies).
class frmBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit frmBrowser(const QString &path, QWidget *parent = nullptr);
    ~frmBrowser() override;

    // The file Save copies.
    QString shownFile() const { return m_path; }

    void open();    // cmdOpen
    void save();    // cmdSave
    void print();   // cmdPrint
    void savePdf(); // cmdSavePdf

    QWebEngineView *brwWebBrowser = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdSavePdf = nullptr;
    QPushButton *cmdClose = nullptr;

Q_SIGNALS:
    // The page has been loaded (ok false when it could not be).
    void pageLoaded(bool ok);
    // A PDF has been written, or could not be (the user has been told).
    void pdfFinished(const QString &path, bool written);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void navigate(const QString &path);
    // Asks before an existing file is replaced; false when the user cancels.
    bool mayReplace(const QString &target);

    QString m_path;
};

// Reports: closes an open viewer and shows a new one on the report just written.
frmBrowser *showReportFile();
// View > Report Viewer: raises the open viewer as it is, or opens one on the blank page
// (writing blank.htm when it is missing).
frmBrowser *showReportViewer();
// Shows a file (the manual) in a new viewer, closing an open one.
frmBrowser *showFileInViewer(const QString &path);
// Closes an open viewer at once (before the page it shows is written anew).
void closeReportViewer();
// The open viewer, if any.
frmBrowser *reportViewer();

// Before the application object: what the web engine needs (shared OpenGL contexts, and no
// Chromium sandbox when the program runs as root, which Chromium refuses otherwise).
void prepareWebEngine();
