#include "MainWindow.h"

#include "ConnectionWatch.h"
#include "DetailPanel.h"
#include "WindowRegistry.h"

#include "core/alarms/AlarmStore.h"
#include "core/db/ChangeFeed.h"
#include "core/db/Database.h"
#include "core/db/DatabaseName.h"
#include "core/itemlist/ItemDelete.h"
#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Twips.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/alarms/AlarmController.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/platform/BusyWait.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"
#include "gui/reports/ReportCommands.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
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
    m_items = new ItemListController(m_context.database(), m_grid, m_cellViewer, this);
    m_alarms = new AlarmController(m_context, this);
    m_windows = new WindowRegistry(m_context, *m_items, this);
    connectCollaborators();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectCollaborators()
{
    connect(m_items, &ItemListController::viewChanged, this, [this](const QString &text) { setPanelText(1, text); });
    auto *watch = new ConnectionWatch(m_context.database(), this);
    connect(watch, &ConnectionWatch::lost, this, [this] { setPanelText(1, QString::fromLatin1(NotConnectedText)); });
    connect(watch, &ConnectionWatch::restored, m_items, &ItemListController::reloadInPlace);
    connect(m_items, &ItemListController::itemsShown, this, &MainWindow::setAddButtonsEnabled);
    connect(m_items, &ItemListController::rowChosen, this, &MainWindow::fillPanes);
    connect(m_items, &ItemListController::panesCleared, this, &MainWindow::clearData);
    connect(m_items, &ItemListController::itemEditorWanted, m_windows,
            [this](qint64 itemId) { m_windows->openItemEditor(ItemEditor::EditListItem, itemId, true); });

    connect(m_alarms, &AlarmController::statusChanged, this, [this](const QString &text) { setPanelText(2, text); });
    connect(m_alarms, &AlarmController::serviceAckWanted, m_windows, &WindowRegistry::openServiceAck);
    connect(m_alarms, &AlarmController::orderAckWanted, m_windows, &WindowRegistry::openOrderAck);
    connect(m_alarms, &AlarmController::itemEditorWanted, m_windows,
            [this](qint64 itemId, bool fresh) { m_windows->openItemEditor(ItemEditor::EditAlarmItem, itemId, fresh); });

    connect(m_windows, &WindowRegistry::itemSaved, this, &MainWindow::refreshAfterSave);
    connect(m_windows, &WindowRegistry::acknowledged, this, &MainWindow::refreshAfterAcknowledgement);
    connect(m_windows, &WindowRegistry::optionsSaved, m_alarms, &AlarmController::optionsSaved);
    connect(m_windows, &WindowRegistry::mainWindowEntryAdded, this, &MainWindow::refreshEntries);
    connect(&m_context.database().changeFeed(), &ChangeFeed::tablesChanged, this, &MainWindow::followChangesElsewhere);
}

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
    // The database worked on, between the alarm status and the clock: its file's name, or
    // user@host/database on a server.
    m_databaseName = new QLabel(databaseDisplayName(m_context.database()), bar);
    m_databaseName->setObjectName(QStringLiteral("sbDatabase"));
    showPlainText(m_databaseName);
    m_databaseName->setFrameShape(QFrame::StyledPanel);
    m_databaseName->setFrameShadow(QFrame::Sunken);
    m_databaseName->setContentsMargins(4, 0, 4, 0);
    // A long server name gives way in a narrow window; its tip still names it whole.
    m_databaseName->setMinimumWidth(80);
    m_databaseName->setToolTip(m_databaseName->text());
    bar->insertPermanentWidget(2, m_databaseName);
    // Panels 3 and 4 show the live date and time.
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClockPanels);
    m_clock->start();
    updateClockPanels();
    showDatabaseWaits(bar);
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
    connect(m_historyPane->addHistoryButton(), &QPushButton::clicked, this, [this] { openEntryWindow(HistoryTarget); });
    connect(m_historyPane->addNoteButton(), &QPushButton::clicked, this, [this] { openEntryWindow(NotesTarget); });

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
    QWidget::setTabOrder(m_historyPane->notesGrid(), m_companyPane->firstInTabOrder());

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
    central->installEventFilter(this); // its resizes

    connect(m_grid, &ItemGrid::rightButtonPressed, this, [this](const QPoint &at) { m_contextMenu->popup(at); });
}

void MainWindow::load()
{
    setWindowTitle(QStringLiteral("Norlith Tarvo - %1").arg(databaseDisplayName(m_context.database())));
    runGuarded(this, QStringLiteral("load the item list"), [&] {
        m_items->setupColumns();
        m_alarms->useSettings(loadSettings(m_context.database()));
        m_items->showListAfter(ListEvent::Started);
    });
    makeWorkingFolders();
    m_alarms->startMonitoring();
}

void MainWindow::makeWorkingFolders()
{
    SafeFile::makeFolder(AppPaths::backupFolder());
    SafeFile::makeFolder(AppPaths::reportsFolder());
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

void MainWindow::setAddButtonsEnabled(bool enabled)
{
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
            runGuarded(this, QStringLiteral("store the column widths"), [&] { m_items->storeColumnWidths(); });
        m_context.database().close();
    }
    event->accept();
}

void MainWindow::fillPanes(int row)
{
    const ItemListModel *model = m_items->model();
    runGuarded(this, QStringLiteral("read the item's details"), [&] {
        m_historyPane->loadHistory(model->itemIdAt(row));
        m_historyPane->loadNotes(model->itemIdAt(row));
        m_companyPane->showCompany(model->companyIdAt(row));
    });
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The central area changes height with the window and also when the toolbar is hidden or shown.
    // The list changes with it, so the cell viewer, like on a scroll, goes.
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        m_cellViewer->hide();
        layoutCentralArea();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::clearData()
{
    m_historyPane->clear();
    m_companyPane->clear();
}

bool MainWindow::requireSelection(const QString &message)
{
    if (!m_items->noItemSelected())
        return true;
    MessageBox::fault(m_grid, message);
    return false;
}

void MainWindow::editItem()
{
    if (requireSelection(QStringLiteral("Please select an item to edit first")))
        m_windows->openItemEditor(ItemEditor::EditListItem, m_items->selectedItemId(), false);
}

void MainWindow::deleteSelectedItem()
{
    if (!requireSelection(QStringLiteral("Please select an item to delete first"))) {
        clearData();
        return;
    }
    const qint64 id = m_items->selectedItemId();
    if (!MessageBox::confirmDestructive(this, deleteItemQuestion(id)))
        return;
    if (!runGuarded(this, QStringLiteral("delete the item"), [&] { deleteItem(m_context.database(), id); }))
        return;
    // The alarm list shown drops the item's rows.
    m_alarms->reloadAlarms();
    m_items->showListAfter(ListEvent::ItemDeleted);
    m_alarms->refreshTray(false);
}

void MainWindow::openEntryWindow(EntryTarget target)
{
    if (!requireSelection(QStringLiteral("Please select an item first")))
        return;
    m_windows->showEntryWindowFor(target, m_items->selectedItemId(), this);
}

void MainWindow::refreshEntries(EntryTarget target, qint64 itemId)
{
    if (m_items->selectedItemId() != itemId)
        return;
    runGuarded(this, QStringLiteral("read the item's details"), [&] {
        if (target == HistoryTarget)
            m_historyPane->loadHistory(itemId);
        else
            m_historyPane->loadNotes(itemId);
    });
}

void MainWindow::refreshAfterSave()
{
    m_items->showListAfter(ListEvent::ItemSaved);
    m_alarms->refreshTray(false);
}

void MainWindow::refreshAfterAcknowledgement()
{
    // The alarm list shown loses the item's rows, and the item list shows its new state, as
    // after an editor save (whose tray count then reads the alarm list just evaluated).
    m_alarms->reloadAlarms();
    refreshAfterSave();
}

void MainWindow::followChangesElsewhere(const QSet<QString> &tables)
{
    using namespace Qt::StringLiterals;
    if (tables.contains(u"Columns"_s))
        runGuarded(this, QStringLiteral("set up the item list's columns"), [this] { m_items->setupColumns(); });
    static const QSet<QString> listed {u"main"_s, u"orderinfo"_s, u"repparts"_s, u"Columns"_s};
    if (tables.intersects(listed)) {
        // The chosen item's panes are filled anew with its row.
        m_items->reloadInPlace();
        m_alarms->reloadAlarms();
        m_alarms->refreshTray(false);
    } else if ((tables.contains(u"History"_s) || tables.contains(u"Notes"_s)) && !m_items->noItemSelected()) {
        fillPanes(m_grid->currentRow());
    }
}

void MainWindow::reportCommand(int position)
{
    const ViewState &view = m_items->view();
    const ItemListModel *list = m_items->model();
    ReportSources sources;
    sources.grid = list;
    sources.history = m_historyPane->historyGrid()->model();
    sources.notes = m_historyPane->notesGrid()->model();
    sources.displayMode = view.DisplayMode;
    sources.lookupField = view.LookupField;
    sources.lookupValue = view.LookupValue;
    sources.noItemSelected = m_items->noItemSelected();
    if (!sources.noItemSelected) {
        sources.itemName = reportItemName(*list, list->columnLayout(), m_grid->currentRow() - 1);
        sources.itemId = m_items->selectedItemId();
    }
    sources.serviceSwitch = m_context.settings().serviceAlarms;
    sources.orderSwitch = m_context.settings().orderAlarms;
    // The alarm report lists what the alarm window does: due by the server's date on a server.
    if (!runGuarded(this, QStringLiteral("read today's date"), [&] { sources.today = alarmToday(m_context.database()); }))
        return;
    runReportCommand(this, m_context.database(), position, sources);
}

void MainWindow::openManual()
{
    // Without a program of the desktop for it, the manual is shown in the report viewer.
    Desktop::openChecked(QUrl::fromLocalFile(AppPaths::manualFile()), this, [](bool opened) {
        if (!opened)
            showFileInViewer(AppPaths::manualFile());
    });
}
