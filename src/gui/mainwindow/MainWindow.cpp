#include "MainWindow.h"

#include "DetailPanel.h"
#include "gui/itemlist/ItemGrid.h"

#include "core/alarms/AlarmMonitor.h"
#include "core/db/Recordset.h"
#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/Twips.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Settings.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"

#include <QApplication>
#include <QBoxLayout>
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

// Layout of the central area, in twips.
constexpr int Margin = 100;
constexpr int LogoFrameWidth = 2400;
constexpr int Edge = 2; // pixels above the list and below the panes
// The list always shows its heading and three rows; the height the window gains beyond that and
// the panes goes to the list. On a short window the panes give way down to their lines before
// the list goes below its heading and six rows.
constexpr int LeastListHeight = ItemGrid::HeadingHeightTwips + 3 * ItemGrid::RowHeightTwips;
constexpr int ShortListRows = 6;

using Twips::toPixels;

} // namespace

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Norlith Tarvo"));
    // With its title bar it fits a 1366x768 screen; it reflows down to 1024x700.
    resize(1100, 700);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildCentralArea();
    buildContextMenu();
    connectAlarmMonitor();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    const int widths[4] = {0, 200, 110, 110};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("sbStatusBarPanel%1").arg(i + 1));
        showPlainText(m_panels[i]); // a lookup value and the alarm status text are user text
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
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClockPanels);
    m_clock->start();
    updateClockPanels();
}

void MainWindow::updateClockPanels()
{
    const QDateTime now = Clock::now();
    m_panels[2]->setText(DateText::format(now.date()));
    m_panels[3]->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
}

void MainWindow::buildCentralArea()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);

    m_line = new QFrame(central);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Sunken);

    m_grid = new ItemGrid(central);
    m_grid->setMinimumHeight(toPixels(LeastListHeight));
    m_grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_companyPane = new CompanyPane(m_context.database(), central);
    m_historyPane = new HistoryPane(m_context.database(), central);
    connect(m_historyPane->addHistoryButton(), &QPushButton::clicked, this, &MainWindow::addHistory);
    connect(m_historyPane->addNoteButton(), &QPushButton::clicked, this, &MainWindow::addNote);

    m_logoFrame = new QGroupBox(central);
    m_logoFrame->setObjectName(QStringLiteral("frmCompli"));
    auto *logo = new QLabel(m_logoFrame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    logo->setAlignment(Qt::AlignCenter);
    logo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored); // on a short window it is cut off
    m_logoFrame->setFixedWidth(toPixels(LogoFrameWidth));
    m_logoFrame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    (new QVBoxLayout(m_logoFrame))->addWidget(logo);

    // The line under the toolbar spans the window; below it the list, and the panes 100 twips
    // below the list at their own heights. The panes keep their widths from the left where the
    // window has room; on a narrower one the logo goes first, then the history pane gives way
    // down to what its buttons need (its grid scrolls, its long texts have tooltips), and only
    // then the company pane, whose lines are cut off at its edge.
    const int margin = toPixels(Margin);
    auto *panes = new QHBoxLayout;
    panes->setSpacing(margin);
    panes->addWidget(m_companyPane);
    panes->addWidget(m_historyPane, 1);
    panes->addWidget(m_logoFrame);
    panes->addStretch();
    auto *content = new QVBoxLayout;
    content->setContentsMargins(margin, Edge, margin, Edge);
    content->setSpacing(margin);
    content->addWidget(m_grid, 1);
    content->addLayout(panes);
    auto *area = new QVBoxLayout(central);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(0);
    area->addWidget(m_line);
    area->addLayout(content, 1);

    // Tab goes from the list to the panes' buttons and grids as they read, line by line.
    QWidget::setTabOrder(m_grid, m_historyPane->addHistoryButton());
    QWidget::setTabOrder(m_historyPane->addHistoryButton(), m_historyPane->addNoteButton());
    QWidget::setTabOrder(m_historyPane->addNoteButton(), m_historyPane->changeButton());
    QWidget::setTabOrder(m_historyPane->changeButton(), m_historyPane->historyGrid());
    QWidget::setTabOrder(m_historyPane->historyGrid(), m_historyPane->notesGrid());
    QWidget::setTabOrder(m_historyPane->notesGrid(), m_companyPane->moreButton());

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
    central->installEventFilter(this); // its resizes

    connect(m_grid, &ItemGrid::cellClicked, this, &MainWindow::rowClicked);
    connect(m_grid, &ItemGrid::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row); });
    connect(m_grid, &ItemGrid::scrolled, m_cellViewer, &QWidget::hide);
    connect(m_grid, &ItemGrid::rightButtonPressed, this, [this](const QPoint &at) { m_contextMenu->popup(at); });
}

void MainWindow::load()
{
    runGuarded(this, QStringLiteral("load the item list"), [&] {
        setupGridColumns();
        useSettings(loadSettings(m_context.database()));
        showListAfter(ListEvent::Started);
    });
    makeWorkingFolders();
    refreshTray(false);
    m_monitor->start();
}

void MainWindow::makeWorkingFolders()
{
    QDir().mkpath(AppPaths::backupFolder());
    QDir().mkpath(AppPaths::reportsFolder());
}

void MainWindow::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 4)
        m_panels[panel - 1]->setText(text);
}

QString MainWindow::panelText(int panel) const
{
    return panel >= 1 && panel <= 4 ? m_panels[panel - 1]->text() : QString();
}

void MainWindow::setupGridColumns()
{
    const ColumnLayout layout = ColumnLayout::read(m_context.database());
    m_grid->itemModel()->setLayout(layout);
    m_grid->applyLayout(layout);
}

void MainWindow::loadGrid(int sortField, SortOrders sortOrder, const QString &lookupValue, int lookupField)
{
    m_noItemSelected = true;
    m_cellViewer->hide();
    ItemListLoad result;
    const bool ran = runGuarded(this, QStringLiteral("load the item list"), [&] {
        result = m_grid->itemModel()->load(m_context.database(), sortField, sortOrder, lookupValue, lookupField);
    });
    setAddButtonsEnabled(ran && result.outcome == ItemListLoad::Outcome::Rows);
    m_grid->setCurrentRow(0);
    if (!result.message.isEmpty())
        MessageBox::information(this, result.message);
}

void MainWindow::storeColumnWidths()
{
    saveColumnWidths(m_context.database(), m_grid->itemModel()->columnLayout(), m_grid->columnWidths());
}

void MainWindow::setAddButtonsEnabled(bool enabled)
{
    m_addButtonsEnabled = enabled;
    m_historyPane->addHistoryButton()->setEnabled(enabled);
    m_historyPane->addNoteButton()->setEnabled(enabled);
}

void MainWindow::layoutCentralArea()
{
    // The logo shows only where both panes have their full widths beside it.
    const int needed = m_companyPane->sizeHint().width() + m_historyPane->sizeHint().width() + toPixels(LogoFrameWidth + 4 * Margin);
    m_logoFrame->setVisible(width() >= needed);
    // The panes' room: the central area less the line, the list's rows with its scroll bar, and the gaps.
    const int room = centralWidget()->height() - m_line->height() - m_grid->heightShowing(ShortListRows) - toPixels(Margin) - 2 * Edge;
    m_companyPane->setRoom(room);
    m_historyPane->setRoom(room);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible())
                window->close();
        }
        if (m_context.database().isOpen())
            runGuarded(this, QStringLiteral("store the column widths"), [&] { storeColumnWidths(); });
        m_context.database().close();
    }
    event->accept();
}

qint64 MainWindow::selectedItemId() const
{
    return m_noItemSelected ? 0 : m_grid->itemModel()->itemIdAt(m_grid->currentRow());
}

void MainWindow::rowClicked(int row, int column)
{
    if (m_grid->rows() < 2)
        return;
    showCellViewer(row, column);
    m_grid->itemModel()->setRowSelected(row, true);
    m_clickRow = row;
    if (m_lastClickRow != m_clickRow && !m_noItemSelected)
        m_grid->itemModel()->setRowSelected(m_lastClickRow, false);
    m_lastClickRow = m_clickRow;
    m_grid->setCurrentRow(m_clickRow);
    m_noItemSelected = false;
    fillPanes(row);
}

void MainWindow::fillPanes(int row)
{
    const ItemListModel *model = m_grid->itemModel();
    runGuarded(this, QStringLiteral("read the item's details"), [&] {
        m_historyPane->loadHistory(model->itemIdAt(row));
        m_historyPane->loadNotes(model->itemIdAt(row));
        m_companyPane->showCompany(model->companyIdAt(row));
    });
}

void MainWindow::showCellViewer(int row, int column)
{
    const ItemListModel *model = m_grid->itemModel();
    const int columnId = model->columnLayout().columnIdAt(column);
    if (columnId != Column::RepParts && columnId != Column::Tools && columnId != Column::Locked) {
        m_cellViewer->hide();
        return;
    }
    m_cellViewer->setGeometry(m_grid->cellRect(row, column));
    m_cellViewer->setPlainText(model->cellText(row, columnId));
    m_cellViewer->show();
    m_cellViewer->raise();
}

void MainWindow::rowDoubleClicked(int row)
{
    const qint64 itemId = m_grid->itemModel()->itemIdAt(row);
    if (itemId == 0)
        return; // no list row there
    openItemEditor(ItemEditor::EditListItem, itemId, true);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_cellViewer->viewport()) {
        rowDoubleClicked(m_grid->currentRow());
        return true;
    }
    // The central area changes height with the window and also when the toolbar is hidden or shown.
    // The list changes with it, so the cell viewer, like on a scroll, goes.
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        m_cellViewer->hide();
        layoutCentralArea();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::clearLastClick()
{
    if (!m_noItemSelected && m_grid->rows() >= 2) {
        m_grid->itemModel()->setRowSelected(m_lastClickRow, false);
        m_noItemSelected = true;
    }
    m_cellViewer->hide();
}

void MainWindow::clearData()
{
    m_historyPane->clear();
    m_companyPane->clear();
}
