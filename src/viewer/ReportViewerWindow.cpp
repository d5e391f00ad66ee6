#include "ReportViewerWindow.h"

#include "LargePage.h"
#include "PagePdf.h"

#include "ViewerLayout.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Twips.h"
#include "core/platform/Utility.h"
#include "core/reports/PageNesting.h"
#include "core/reports/ReportCommand.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QThread>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

#include <unistd.h>

namespace {

// Layout in twips: a row of buttons, the browser below it.
constexpr int ButtonTop = 60;
constexpr int ButtonHeight = 375;
constexpr int ButtonGap = 120;
constexpr int BrowserLeft = 50;
constexpr int BrowserTop = ButtonTop + ButtonHeight + 105;

// The largest page handed to the engine, which needs some 200 MB and 2 s a megabyte of report: a
// 3.9 MB page shows in 8 s with under 1 GB, while the All report of 32,767 items (17 MB) took
// 54 s and 3.5 GB, and at 53 MB its renderer ran out of memory after 87 s. A larger page is
// shown by the viewer's own reader.
constexpr qint64 LargestShownPage = 4'000'000;

const QString TooLargeText = QStringLiteral("The report viewer could not show this page; it may be too large. "
                                            "Save, Save as PDF and Print still work.");
const QString TooDeepText = QStringLiteral("The report viewer cannot show this page: its parts are nested too deeply "
                                           "to be laid out. Save still works.");

// Whether the file's elements nest beyond what a reader can lay out; such a page is given to none.
bool nestedTooDeeply(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && PageNesting::tooDeep(file.readAll());
}

// The viewer's window is a frame to a screen reader, as a main window is, not a pane of one.
QAccessibleInterface *frameAccessible(const QString &className, QObject *object)
{
    if (className == u"ReportViewerWindow" && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// Letter paper where the locale measures in inches, A4 elsewhere.
QPageLayout pdfPageLayout()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
}

} // namespace

ReportViewerWindow::ReportViewerWindow(const QString &path, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(QStringLiteral("Report Viewer"));
    static const bool framed = [] {
        QAccessible::installFactory(frameAccessible);
        return true;
    }();
    Q_UNUSED(framed);
    setWindowIcon(QIcon(QStringLiteral(":/logo.png")));

    int left = 120;
    auto button = [&](QPushButton *&slot, const char *name, const QString &text, int widthTwips, auto command) {
        slot = new QPushButton(text, this);
        slot->setObjectName(QString::fromLatin1(name));
        setGeometryTwips(slot, left, ButtonTop, widthTwips, ButtonHeight);
        left += widthTwips + ButtonGap;
        slot->setAutoDefault(true); // Enter presses the button that has the focus
        connect(slot, &QPushButton::clicked, this, command);
    };
    button(m_openButton, "cmdOpen", QStringLiteral("Open"), 1100, &ReportViewerWindow::open);
    button(m_saveButton, "cmdSave", QStringLiteral("Save"), 1100, &ReportViewerWindow::save);
    button(m_printButton, "cmdPrint", QStringLiteral("Print"), 1100, &ReportViewerWindow::print);
    button(m_savePdfButton, "cmdSavePdf", QStringLiteral("Save as PDF"), 1500, &ReportViewerWindow::savePdf);
    button(m_closeButton, "cmdClose", QStringLiteral("Close"), 1100, &QWidget::close);

    // Esc closes, as Close does.
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);

    resize(Twips::toPixels(12100), Twips::toPixels(9100));
    // The dialogs start in the Reports folder.
    SafeFile::makeFolder(AppPaths::reportsFolder());
    m_path = path;
    navigate(m_path);
    Mnemonics::give(this);
}

ReportViewerWindow::~ReportViewerWindow()
{
    if (m_pageWriter) {
        m_pageWriter->requestInterruption();
        m_pageWriter->wait();
        delete m_pageWriter; // its finished handler, which would delete it, goes with this window
    }
    SafeFile::releaseShownPage(m_path);
}

void ReportViewerWindow::makeBrowser()
{
    brwWebBrowser = new QWebEngineView(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->setAccessibleName(QStringLiteral("Report"));
    m_page = new ConfinedPage(brwWebBrowser);
    brwWebBrowser->setPage(m_page);
    // Reports are plain pages: no scripts, nothing fetched from elsewhere, no other local file.
    QWebEngineSettings *settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    // The viewer's own style goes in from a world of its own, which the page's settings leave able to run.
    QWebEngineScript style;
    style.setName(QStringLiteral("viewer style"));
    style.setWorldId(QWebEngineScript::ApplicationWorld);
    style.setInjectionPoint(QWebEngineScript::DocumentReady);
    style.setRunsOnSubFrames(false);
    style.setSourceCode(QStringLiteral("{const s = document.createElement('style'); s.textContent = '%1';"
                                       " (document.head || document.documentElement).appendChild(s);}")
                            .arg(viewerStyleSheet()));
    m_page->scripts().insert(style);
    connect(brwWebBrowser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!m_tooLarge) // its empty stand-in says nothing
            Q_EMIT pageLoaded(ok);
    });
    // A page too large for the browser's memory ends its renderer: the viewer's own reader shows
    // it instead, or the user hears that it cannot, rather than look at a blank view.
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status == QWebEnginePage::NormalTerminationStatus || largePage || m_tooDeep)
                    return; // the reader shows the page already; the engine had only its stand-in
                m_tooLarge = true; // a PDF, too, is now laid out without the engine
                brwWebBrowser->hide();
                showInReader(m_path);
            });
}

QWidget *ReportViewerWindow::shownView() const
{
    if (largePage)
        return largePage;
    return brwWebBrowser;
}

QRect ReportViewerWindow::viewGeometry() const
{
    if (const QWidget *view = shownView())
        return view->geometry();
    return Twips::toPixels(BrowserLeft, BrowserTop, 12000, 8200); // as the window opens
}

void ReportViewerWindow::navigate(const QString &path)
{
    // While it is shown, no save may replace it.
    SafeFile::setShownPage(path);
    m_tooDeep = nestedTooDeeply(path);
    m_printButton->setEnabled(!m_tooDeep);
    m_savePdfButton->setEnabled(!m_tooDeep);
    if (m_tooDeep) {
        refuseTooDeep();
        return;
    }
    m_tooLarge = QFileInfo(path).size() > LargestShownPage;
    if (!m_tooLarge) {
        const QRect where = viewGeometry();
        delete largePage; // and the page it holds
        largePage = nullptr;
        if (!brwWebBrowser)
            makeBrowser();
        brwWebBrowser->setGeometry(where);
        brwWebBrowser->show();
        m_page->show(path);
        return;
    }
    // Too large for the engine, which is given an empty page (or none at all).
    if (brwWebBrowser) {
        m_page->show(QString());
        brwWebBrowser->hide();
    }
    showInReader(path);
}

void ReportViewerWindow::refuseTooDeep()
{
    if (brwWebBrowser) {
        m_page->show(QString());
        brwWebBrowser->hide();
    }
    delete largePage; // and the page it holds
    largePage = nullptr;
    QTimer::singleShot(0, this, [this] {
        Q_EMIT pageLoaded(false);
        MessageBox::information(this, TooDeepText);
    });
}

void ReportViewerWindow::showInReader(const QString &path)
{
    if (!largePage) {
        const QRect where = viewGeometry();
        largePage = new LargePageView(this);
        largePage->setObjectName(QStringLiteral("largePage"));
        largePage->setAccessibleName(QStringLiteral("Report"));
        largePage->setGeometry(where);
        largePage->show();
    }
    QFile file(path);
    const QByteArray html = file.open(QIODevice::ReadOnly) ? pageAsUtf8(file.readAll()) : QByteArray();
    const bool shown = !html.isEmpty() && largePage->setPage(html);
    // Said once the window is up: a page that cannot be shown is said to be so at once.
    QTimer::singleShot(0, this, [this, shown] {
        Q_EMIT pageLoaded(shown);
        if (!shown)
            MessageBox::information(this, TooLargeText);
    });
}

void ConfinedPage::show(const QString &path)
{
    m_allowed = path.isEmpty() ? QUrl(QStringLiteral("about:blank")) : QUrl::fromLocalFile(path);
    load(m_allowed);
}

bool ConfinedPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame && url.matches(m_allowed, QUrl::RemoveFragment))
        return true;
    const QString scheme = url.scheme();
    if (type == NavigationTypeLinkClicked && (scheme == u"http" || scheme == u"https"))
        Desktop::open(url);
    return false;
}

bool ReportViewerWindow::event(QEvent *event)
{
    if (event->type() == QEvent::DeferredDelete && QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, &QObject::deleteLater);
        return true;
    }
    return QWidget::event(event);
}

void ReportViewerWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QWidget *view = shownView();
    if (!view)
        return;
    using Twips::fromPixels;
    const QSize current(fromPixels(view->width()), fromPixels(view->height()));
    const QSize inside(fromPixels(width()), fromPixels(height()));
    const int saveBottom = fromPixels(m_saveButton->geometry().bottom() + 1);
    const QSize size = viewerBrowserSize(current, inside, saveBottom);
    view->resize(Twips::toPixels(size.width()), Twips::toPixels(size.height()));
}

void ReportViewerWindow::open()
{
    const QString chosen = FileDialog::openFile(this, QStringLiteral("Open"), AppPaths::reportsFolder(), QString());
    if (chosen.isEmpty())
        return;
    if (!fileExists(chosen)) {
        MessageBox::information(this, QStringLiteral("Invalid path/file name"));
        return;
    }
    m_path = chosen;
    navigate(m_path);
}

void ReportViewerWindow::save()
{
    const QString target = FileDialog::saveFile(this, QStringLiteral("Save"), AppPaths::reportsFolder(), QString(),
                                                QStringLiteral("htm"));
    if (target.isEmpty())
        return;
    if (SafeFile::sameFile(m_path, target)) {
        MessageBox::information(this, QStringLiteral("The report is shown from that file; choose another name"));
        return;
    }
    if (!FileDialog::mayWriteTo(this, target))
        return;
    QString error;
    if (!SafeFile::copy(m_path, target, &error))
        MessageBox::information(this, fileFailureText(target, error));
}

void ReportViewerWindow::print()
{
    auto *printer = new QPrinter(QPrinter::HighResolution);
    QPrintDialog dialog(printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        delete printer;
        return;
    }
    printTo(printer);
}

void ReportViewerWindow::printTo(QPrinter *printer)
{
    if (m_tooDeep) {
        delete printer;
        Q_EMIT printFinished(false);
        return;
    }
    if (!m_tooLarge) {
        // The page prints after this returns; the printer lives until it has.
        connect(
            brwWebBrowser, &QWebEngineView::printFinished, this, [this, printer](bool ok) {
                delete printer;
                Q_EMIT printFinished(ok);
            },
            Qt::SingleShotConnection);
        brwWebBrowser->print(printer);
        return;
    }
    std::shared_ptr<QPrinter> owned(printer);
    auto ok = std::make_shared<bool>(false);
    renderAway([html = largePageBytes(), owned, ok] { *ok = !html.isEmpty() && paintPages(html, *owned, [owned] { owned->abort(); }); },
               [this, ok] { Q_EMIT printFinished(*ok); });
}

void ReportViewerWindow::savePdf()
{
    if (m_tooDeep)
        return; // its button is disabled
    const QString target = FileDialog::saveFile(this, QStringLiteral("Save as PDF"), AppPaths::reportsFolder(),
                                                QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (target.isEmpty() || !FileDialog::mayWriteTo(this, target))
        return;
    if (m_tooLarge) {
        auto pdf = std::make_shared<QByteArray>();
        // A file that can no longer be read gives no PDF, not a blank one.
        renderAway([html = largePageBytes(), pdf] { *pdf = html.isEmpty() ? QByteArray() : pagePdf(html, pdfPageLayout()); },
                   [this, target, pdf] { finishPdf(target, *pdf); });
        return;
    }
    // The page is rendered after this returns; the window may be gone by then.
    QPointer<ReportViewerWindow> self(this);
    brwWebBrowser->printToPdf([self, target](const QByteArray &pdf) {
        if (self)
            self->finishPdf(target, pdf);
    },
                              pdfPageLayout());
}

QByteArray ReportViewerWindow::largePageBytes() const
{
    // Held by the reader; read again after the engine gave up on a smaller page.
    if (largePage && !largePage->page().isEmpty())
        return largePage->page();
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? pageAsUtf8(file.readAll()) : QByteArray();
}

void ReportViewerWindow::renderAway(std::function<void()> work, std::function<void()> done)
{
    if (m_pageWriter)
        return; // its buttons are disabled meanwhile
    m_savePdfButton->setEnabled(false);
    m_printButton->setEnabled(false);
    m_pageWriter = QThread::create(std::move(work));
    connect(m_pageWriter, &QThread::finished, this, [this, done = std::move(done)] {
        m_pageWriter->deleteLater();
        m_pageWriter = nullptr;
        m_savePdfButton->setEnabled(!m_tooDeep);
        m_printButton->setEnabled(!m_tooDeep);
        done();
    });
    m_pageWriter->start(QThread::LowPriority);
}

void ReportViewerWindow::finishPdf(const QString &target, const QByteArray &pdf)
{
    QString error;
    bool written = false;
    if (pdf.isEmpty())
        error = QStringLiteral("The page could not be rendered.");
    else
        written = SafeFile::write(target, pdf, &error);
    if (!written)
        MessageBox::information(this, fileFailureText(target, error));
    Q_EMIT pdfFinished(target, written);
}

QString viewerStyleSheet()
{
    return QStringLiteral("@media print { table { break-inside: avoid; page-break-inside: avoid; } }");
}

void nameViewerProgram()
{
    QApplication::setApplicationName(QStringLiteral("Tarvo Report Viewer"));
}

void prepareWebEngine()
{
    // The engine's report of its set-up (GL, sandbox, paths) is of no use to a user.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox")) {
        flags += flags.isEmpty() ? "--no-sandbox" : " --no-sandbox";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
}
