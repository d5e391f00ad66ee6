#include "frmmain.h"

#include "DetailPanel.h"
#include "ItemGrid.h"
#include "ItemListModel.h"

#include "data/AppPaths.h"
#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "data/Settings.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Twips.h"
#include "platform/WindowUtil.h"
#include "items/frmAdd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {

QPointer<frmmain> mainWindow;

// Layout of the central area, in twips.
constexpr int Margin = 100;
constexpr int NotesGridHeight = 1900;
constexpr int PanelHeight = 2700;
constexpr int CompanyFrameWidth = 5400;
constexpr int HistoryFrameWidth = 7200;
constexpr int LogoFrameWidth = 2400;
constexpr int ResizeThreshold = 8000; // below this window height the grid keeps its height

int px(int twips)
{
    return Twips::toPixels(twips);
}

} // namespace

frmmain::frmmain(QWidget *parent)
    : QMainWindow(parent)
{
    mainWindow = this;
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Norlith Tarvo"));
    setWindowIcon(QIcon(QStringLiteral(":/logo.png")));
    resize(1100, 760);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildCentralArea();
    buildContextMenu();
    buildTimers();
}

frmmain::~frmmain() = default;

frmmain *frmmain::instance()
{
    return mainWindow;
}

void frmmain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    const int widths[4] = {0, 200, 110, 110};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("sbStatusBarPanel%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        m_panels[i]->setContentsMargins(4, 0, 4, 0);
        if (widths[i])
            m_panels[i]->setMinimumWidth(widths[i]);
        if (i == 0)
            bar->addWidget(m_panels[i], 1);
        else
            bar->addPermanentWidget(m_panels[i]);
    }
    // Panels 3 and 4 show the live date and time.
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &frmmain::updateClockPanels);
    m_clock->start();
    updateClockPanels();
}

void frmmain::updateClockPanels()
{
    const QDateTime now = Clock::now();
    m_panels[2]->setText(DateText::format(now.date()));
    m_panels[3]->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
}

void frmmain::buildCentralArea()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);

    m_line = new QFrame(central);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Sunken);

    m_grid = new ItemGrid(central);
    m_grid->setGeometry(px(Margin), 4, 800, 300);

    m_companyPane = new CompanyPane(central);
    m_historyPane = new HistoryPane(central);
    connect(m_historyPane->addHistoryButton(), &QPushButton::clicked, this, &frmmain::addHistory);
    connect(m_historyPane->addNoteButton(), &QPushButton::clicked, this, &frmmain::addNote);

    m_logoFrame = new QGroupBox(central);
    m_logoFrame->setObjectName(QStringLiteral("frmCompli"));
    auto *logo = new QLabel(m_logoFrame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    logo->setAlignment(Qt::AlignCenter);
    logo->setGeometry(0, 0, px(LogoFrameWidth), px(PanelHeight));

    // The cell viewer shows a long cell's whole text over the cell; it is never stored.
    m_cellViewer = new QPlainTextEdit(central);
    m_cellViewer->setObjectName(QStringLiteral("txtDataEntry"));
    m_cellViewer->setAccessibleName(QStringLiteral("Cell text"));
    m_cellViewer->setReadOnly(true);
    m_cellViewer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette selection = m_cellViewer->palette();
    selection.setColor(QPalette::Base, selection.color(QPalette::Highlight));
    selection.setColor(QPalette::Text, selection.color(QPalette::HighlightedText));
    m_cellViewer->setPalette(selection);
    m_cellViewer->hide();
    m_cellViewer->viewport()->installEventFilter(this);

    connect(m_grid, &ItemGrid::cellClicked, this, &frmmain::rowClicked);
    connect(m_grid, &ItemGrid::cellDoubleClicked, this, &frmmain::rowDoubleClicked);
    connect(m_grid, &ItemGrid::scrolled, m_cellViewer, &QWidget::hide);
    connect(m_grid, &ItemGrid::rightButtonPressed, this, [this](const QPoint &at) { m_contextMenu->popup(at); });
}

void frmmain::buildTimers()
{
    auto timer = [&](const char *name, int msec, bool singleShot) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(msec);
        t->setSingleShot(singleShot);
        return t;
    };
    m_timer1 = timer("Timer1", 10000, false);     // periodic alarm check
    m_timer2 = timer("Timer2", 1000, true);       // the start-up alarm, once
    m_tmrSleep = timer("tmrSleep", 10000, false); // ends a snooze
    m_tmrProcess = timer("tmrProcess", 60000, false);
}

void frmmain::load()
{
    runGuarded(this, [&] {
        setupGridColumns();
        setPanelText(2, LoadSettings(db()));
        GlobalVars &g = gv();
        g.SortFieldAll = 7;
        g.SortOrderAll = 0;
        loadGrid(7, 0, QString(), 0);
        g.NoItemSelected = true;
        g.DisplayMode = 1;
        setPanelText(1, QStringLiteral("Display Mode: All"));
        clearData();
    });
    makeWorkingFolders();
    m_timer1->start();
    m_timer2->start();
}

void frmmain::makeWorkingFolders()
{
    QDir folder(AppPaths::applicationFolder());
    folder.mkpath(QStringLiteral("Backup"));
    folder.mkpath(QStringLiteral("Reports"));
}

void frmmain::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 4)
        m_panels[panel - 1]->setText(text);
}

QString frmmain::panelText(int panel) const
{
    return panel >= 1 && panel <= 4 ? m_panels[panel - 1]->text() : QString();
}

void frmmain::setupGridColumns()
{
    const ColumnLayout layout = ColumnLayout::read(db());
    m_grid->itemModel()->setLayout(layout);
    m_grid->applyLayout(layout);
    gv().ColLoc = layout.colLoc;
    gv().ColVisible = layout.colVisible;
}

void frmmain::loadGrid(int sortField, int sortOrder, const QString &lookupValue, int lookupField)
{
    m_cellViewer->hide();
    const ItemListLoad result = m_grid->itemModel()->load(db(), sortField, sortOrder, lookupValue, lookupField);
    setAddButtonsEnabled(result.outcome == ItemListLoad::Outcome::Rows);
    m_grid->setCurrentRow(0);
    if (!result.message.isEmpty())
        MessageBox::information(this, result.message);
}

void frmmain::saveColumnWidths()
{
    ::saveColumnWidths(db(), m_grid->itemModel()->columnLayout(), m_grid->columnWidths());
}

void frmmain::setAddButtonsEnabled(bool enabled)
{
    m_addButtonsEnabled = enabled;
    m_historyPane->addHistoryButton()->setEnabled(enabled);
    m_historyPane->addNoteButton()->setEnabled(enabled);
}

void frmmain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutCentralArea();
}

void frmmain::layoutCentralArea()
{
    QWidget *central = centralWidget();
    const int width = central->width();
    m_line->setGeometry(0, 0, width, 2);
    QRect grid = m_grid->geometry();
    grid.setWidth(qMax(1, width - px(2 * Margin)));
    if (height() > px(ResizeThreshold)) {
        // The central area is the window less menu, toolbar and status bar.
        grid.setHeight(qMax(1, central->height() - px(NotesGridHeight) - px(1250)));
        const int top = grid.bottom() + 1 + px(Margin);
        int left = px(Margin);
        m_companyPane->setGeometry(left, top, px(CompanyFrameWidth), px(PanelHeight));
        left += px(CompanyFrameWidth + Margin);
        m_historyPane->setGeometry(left, top, px(HistoryFrameWidth), px(PanelHeight));
        left += px(HistoryFrameWidth + Margin);
        m_logoFrame->setGeometry(left, top, px(LogoFrameWidth), px(PanelHeight));
    }
    m_grid->setGeometry(grid);
}

void frmmain::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible())
                window->close();
        }
        if (gv().DbConnection && gv().DbConnection->isOpen())
            runGuarded(this, [&] { saveColumnWidths(); });
        CloseDatabase();
    }
    event->accept();
}

void SetupGridColumns()
{
    if (frmmain *window = frmmain::instance())
        runGuarded(window, [&] { window->setupGridColumns(); });
}

void LoadGrid(int sortField, int sortOrder, const QString &lookupValue, int lookupField)
{
    if (frmmain *window = frmmain::instance())
        runGuarded(window, [&] { window->loadGrid(sortField, sortOrder, lookupValue, lookupField); });
}

void SaveColumnWidths()
{
    if (frmmain *window = frmmain::instance())
        runGuarded(window, [&] { window->saveColumnWidths(); });
}

int frmmain::currentRow() const
{
    return m_grid->currentRow();
}

void frmmain::paintRow(int row, bool painted)
{
    m_grid->itemModel()->setRowPainted(row, painted);
}

void frmmain::rowClicked(int row, int column)
{
    if (m_grid->rows() < 2)
        return;
    showCellViewer(row, column);
    paintRow(row, true);
    m_clickRow = row;
    GlobalVars &g = gv();
    if (m_lastClickRow != m_clickRow && !g.NoItemSelected)
        paintRow(m_lastClickRow, false);
    m_lastClickRow = m_clickRow;
    m_grid->setCurrentRow(m_clickRow);
    g.NoItemSelected = false;
    runGuarded(this, [&] {
        loadHistory(g.rowItemId(row));
        loadNotes(row);
        m_companyPane->LoadCompany(g.RowManuID.value(row));
    });
}

void frmmain::showCellViewer(int row, int column)
{
    const ItemListModel *model = m_grid->itemModel();
    const int columnId = model->columnIdAt(column);
    if (column < 1 || (columnId != 6 && columnId != 11 && columnId != 19)) {
        m_cellViewer->hide();
        return;
    }
    m_cellViewer->setGeometry(m_grid->cellRect(row, column));
    m_cellViewer->setPlainText(model->cellText(row, columnId));
    m_cellViewer->show();
    m_cellViewer->raise();
}

void frmmain::rowDoubleClicked()
{
    if (m_grid->rows() < 2)
        return;
    GlobalVars &g = gv();
    g.SelectedRow = currentRow();
    g.ItemEditMode = 1;
    reopenItemEditor();
}

bool frmmain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_cellViewer->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        rowDoubleClicked();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmmain::clearLastClick()
{
    if (!gv().NoItemSelected && m_grid->rows() >= 2) {
        paintRow(m_lastClickRow, false);
        gv().NoItemSelected = true;
    }
    m_cellViewer->hide();
}

void frmmain::clearData()
{
    m_historyPane->clear();
    m_companyPane->clear();
}

void frmmain::loadHistory(int itemId)
{
    m_historyPane->loadHistory(itemId);
}

void frmmain::loadNotes(int row)
{
    m_historyPane->loadNotes(gv().rowItemId(row));
}

void ReloadAfterItemChange()
{
    frmmain *window = frmmain::instance();
    if (!window)
        return;
    window->clearLastClick();
    window->clearData();
    GlobalVars &g = gv();
    LoadGrid(g.SortFieldAll, g.SortOrderAll, QString(), g.LookupField);
    g.DisplayMode = 1;
    window->setPanelText(1, QStringLiteral("Display Mode: All"));
}

void ClearLastClick()
{
    if (frmmain *window = frmmain::instance())
        window->clearLastClick();
}

void ClearData()
{
    if (frmmain *window = frmmain::instance())
        window->clearData();
}

void LoadHistory(int itemId)
{
    if (frmmain *window = frmmain::instance())
        runGuarded(window, [&] { window->loadHistory(itemId); });
}

void LoadNotes(int row)
{
    if (frmmain *window = frmmain::instance())
        runGuarded(window, [&] { window->loadNotes(row); });
}
