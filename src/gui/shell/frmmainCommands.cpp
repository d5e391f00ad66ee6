// The main window's menus, toolbar and context menu, and the commands carried out here.

#include "frmmain.h"

#include "DetailPanel.h"
#include "ItemGrid.h"
#include "frmAbout.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/shell/ItemDelete.h"
#include "core/shell/ItemListModel.h"
#include "gui/alarms/frmAckService.h"
#include "gui/alarms/frmAlarm.h"
#include "gui/companies/frmAddCo.h"
#include "gui/companies/frmCompanies.h"
#include "gui/maintenance/DatabaseCommands.h"
#include "gui/maintenance/frmGenOpts.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/frmAddEntry.h"
#include "gui/reports/ReportCommands.h"
#include "gui/views/frmCalendar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// By Report::Position.
const char *const ReportCaptions[Report::Count] = {"All", "Lookup", "Item History", "Companies", "Service Alarms",
                                                   "Order Alarms", "Order and Service Alarms", "Item Notes"};

} // namespace

QAction *frmmain::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QAction *frmmain::addCommand(QMenu *menu, const char *name, const QString &text, void (frmmain::*slot)())
{
    QAction *act = menu->addAction(text);
    act->setObjectName(QString::fromLatin1(name));
    if (slot)
        connect(act, &QAction::triggered, this, slot);
    else
        act->setEnabled(false); // its window comes with later work
    return act;
}

void frmmain::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addCommand(file, "mnuNew", QStringLiteral("New"), &frmmain::newItem)->setShortcut(QKeySequence::New);
    addCommand(file, "mnuEdit", QStringLiteral("Edit"), &frmmain::editItem)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addCommand(file, "mnuDelete", QStringLiteral("Delete"), &frmmain::deleteSelectedItem)->setShortcut(QKeySequence::Delete);
    file->addSeparator();
    addCommand(file, "mnuOpenDbase", QStringLiteral("Open Database"), &frmmain::openDatabase);
    addCommand(file, "mnuBackup", QStringLiteral("Backup Database"), &frmmain::backUpDatabase);
    file->addSeparator();
    QAction *exit = addCommand(file, "mnuExit", QStringLiteral("Exit"));
    exit->setEnabled(true);
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *display = bar->addMenu(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("mnuDisplay"));
    addCommand(display, "mnuDispLookUp", QStringLiteral("Lookup"), &frmmain::showLookupItems);
    addCommand(display, "mnuAll", QStringLiteral("All"), &frmmain::showAllItems);

    QMenu *lookup = bar->addMenu(QStringLiteral("&Lookup"));
    lookup->setObjectName(QStringLiteral("mnuLookupBy"));
    for (int position = 0; position < FieldTable::LookupPositions; ++position) {
        const FieldSpec &field = *FieldTable::field(*FieldTable::fieldAtLookupPosition(position));
        QAction *entry = addCommand(lookup, "", QString::fromLatin1(field.caption), &frmmain::lookupMenuChosen);
        entry->setObjectName(QStringLiteral("mnuLookupBy_%1").arg(position));
        entry->setProperty("position", position);
    }

    // The Sort menu's positions are the field numbers; there is no 6.
    QMenu *sort = bar->addMenu(QStringLiteral("&Sort"));
    sort->setObjectName(QStringLiteral("mnuSortby"));
    for (int position = 0; position < FieldTable::SortPositions; ++position) {
        const Field::Number number = *FieldTable::fieldAtSortPosition(position);
        QAction *entry = addCommand(sort, "", QString::fromLatin1(FieldTable::field(number)->caption), &frmmain::sortMenuChosen);
        entry->setObjectName(QStringLiteral("mnuSortby_%1").arg(int(number)));
        entry->setProperty("position", int(number));
    }

    QMenu *reports = bar->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("mnuReports"));
    for (int i = 0; i < Report::Count; ++i) {
        QAction *entry = addCommand(reports, "", QString::fromLatin1(ReportCaptions[i]));
        entry->setObjectName(QStringLiteral("mnuReport_%1").arg(i));
        entry->setProperty("position", i);
        entry->setEnabled(true);
        connect(entry, &QAction::triggered, this, [this, i] { reportCommand(i); });
    }
    reports->addSeparator();
    addCommand(reports, "mnuExportCsv", QStringLiteral("Export List as CSV"), &frmmain::exportListAsCsv);
    addCommand(reports, "mnuExportIcs", QStringLiteral("Export Due Dates as Calendar"), &frmmain::exportDueDates);
    addCommand(reports, "mnuImportCsv", QStringLiteral("Import Items from CSV\u2026"), &frmmain::importItemsCsv);

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    addCommand(view, "mnuAlarms", QStringLiteral("Alarms"), &frmmain::showAlarms);
    addCommand(view, "mnuReportView", QStringLiteral("Report Viewer"), &frmmain::openReportViewer);
    addCommand(view, "mnuCalendar", QStringLiteral("Calendar"), &frmmain::showCalendarWindow);
    addCommand(view, "mnuCompanies", QStringLiteral("Companies"), &frmmain::showCompanies);
    addCommand(view, "mnuLookup", QStringLiteral("Lookup"), &frmmain::openLookupDialog)->setShortcut(QKeySequence::Find);
    addCommand(view, "mnuSort", QStringLiteral("Sort"), &frmmain::openSortDialog);

    QMenu *options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    addCommand(options, "mnuGeneral", QStringLiteral("General"), &frmmain::showOptions);
    addCommand(options, "mnuColums", QStringLiteral("Columns"), &frmmain::openColumnSettings);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addCommand(help, "mnuContents", QStringLiteral("Contents"), &frmmain::openManual)->setShortcut(QKeySequence::HelpContents);
    addCommand(help, "mnuAbout", QStringLiteral("About"), &frmmain::showAboutWindow);
}

void frmmain::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("tbToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Button {
        const char *key, *tooltip, *caption, *icon, *runs;
    };
    static const Button buttons[] = {
        {"New", "Add New Item", "New", "new", "mnuNew"},
        {"Open", "Edit Item", "Edit", "edit", "mnuEdit"},
        {"Delete", "Delete", "Delete", "delete", "mnuDelete"},
        {"Find", "Lookup", "Find", "find", "mnuLookup"},
        {"Sort", "Sort", "Sort", "sort", "mnuSort"},
        {"Alarm", "View Alarms", "Alarms", "alarm", "mnuAlarms"},
        {"Comp", "View Companies", "Companies", "company", "mnuCompanies"},
        {"Cal", "View Calendar", "Calendar", "calendar", "mnuCalendar"},
    };
    for (const Button &b : buttons) {
        QAction *menuAction = action(QString::fromLatin1(b.runs));
        QAction *button = bar->addAction(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(b.icon))),
                                         QString::fromLatin1(b.caption));
        button->setObjectName(QStringLiteral("tb%1").arg(QLatin1String(b.key)));
        button->setProperty("key", QString::fromLatin1(b.key));
        button->setToolTip(QString::fromLatin1(b.tooltip));
        button->setEnabled(menuAction->isEnabled());
        connect(button, &QAction::triggered, menuAction, &QAction::trigger);
        connect(menuAction, &QAction::enabledChanged, button, &QAction::setEnabled);
    }
}

void frmmain::buildContextMenu()
{
    m_contextMenu = new QMenu(QStringLiteral("Invisible"), this);
    m_contextMenu->setObjectName(QStringLiteral("mnuInv"));
    addCommand(m_contextMenu, "mnuEditItem", QStringLiteral("Edit Item"), &frmmain::editItem);
    addCommand(m_contextMenu, "mnuDeleteItem", QStringLiteral("Delete Item"), &frmmain::deleteSelectedItem);
    QAction *columns = addCommand(m_contextMenu, "mnuEditColumns", QStringLiteral("Edit Columns"), &frmmain::openColumnSettings);
    connect(action(QStringLiteral("mnuColums")), &QAction::enabledChanged, columns, &QAction::setEnabled);
}

void frmmain::newItem()
{
    openItemEditor(frmAdd::AddItem, 0, false);
}

frmAdd *frmmain::openItemEditor(frmAdd::ItemEditMode mode, qint64 itemId, bool fresh)
{
    if (fresh)
        closeNow(m_editor);
    return showOnce(m_editor, [&] {
        auto *editor = new frmAdd(mode, itemId, gv().settings);
        connect(editor, &frmAdd::itemSaved, this, &frmmain::itemSaved);
        connect(editor, &frmAdd::companyWanted, this, [this, editor] { openCompanyDirectory(editor); });
        return editor;
    });
}

frmAdd *frmmain::itemEditor() const
{
    return m_editor;
}

bool frmmain::requireSelection(const QString &message)
{
    if (!m_noItemSelected)
        return true;
    MessageBox::information(this, message);
    return false;
}

void frmmain::editItem()
{
    if (requireSelection(QStringLiteral("Please select an item to edit first")))
        openItemEditor(frmAdd::EditListItem, selectedItemId(), false);
}

void frmmain::deleteSelectedItem()
{
    if (!requireSelection(QStringLiteral("Please select an item to delete first"))) {
        ClearData();
        return;
    }
    const qint64 id = selectedItemId();
    if (!MessageBox::confirm(this, deleteItemQuestion(id)))
        return;
    if (!runGuarded(this, QStringLiteral("delete the item"), [&] { deleteItem(db(), id); }))
        return;
    // The alarm list shown drops the item's rows.
    if (frmAlarm *alarms = alarmWindow())
        alarms->LoadAlarmData();
    showListAfter(ListEvent::ItemDeleted);
    refreshTray(false);
}

// The note and history windows take the selected row's item when they open.
void frmmain::openEntryWindow(EntryTarget target)
{
    if (!requireSelection(QStringLiteral("Please select an item first")))
        return;
    showEntryWindowFor(target, selectedItemId(), this);
}

void frmmain::showEntryWindowFor(EntryTarget target, qint64 itemId, QWidget *opener)
{
    showEntryWindow(m_entryWindows[target], target, itemId, [this](frmAddEntry *window) {
        connect(window, &frmAddEntry::entryAdded, this, [this, window] { entryAdded(window); });
    })->serve(opener);
}

void frmmain::addNote()
{
    openEntryWindow(NotesTarget);
}

void frmmain::addHistory()
{
    openEntryWindow(HistoryTarget);
}

void frmmain::itemSaved()
{
    showListAfter(ListEvent::ItemSaved);
    refreshTray(false);
}

void frmmain::entryAdded(const frmAddEntry *window)
{
    const EntryTarget target = window->target();
    const qint64 itemId = window->itemId();
    // Only the windows it served hear of it: an open Service Acknowledge, and this one.
    if (m_serviceAck && window->serves(m_serviceAck))
        m_serviceAck->entryAdded(target, itemId);
    // The entry window keeps its item; its pane is refreshed only while that item is shown.
    if (!window->serves(this) || selectedItemId() != itemId)
        return;
    runGuarded(this, QStringLiteral("read the item's details"), [&] {
        if (target == HistoryTarget)
            m_historyPane->loadHistory(itemId);
        else
            m_historyPane->loadNotes(itemId);
    });
}

void frmmain::showServiceDateLookup(const QDate &day)
{
    showListAfter(ListEvent::DayPicked, day);
}

void frmmain::showCompanies()
{
    openCompanyDirectory(nullptr);
}

void frmmain::openCompanyDirectory(frmAdd *editor)
{
    const frmCompanies::Mode mode = editor ? frmCompanies::Mode::Select : frmCompanies::Mode::Browse;
    if (m_directory && (m_directory->mode() != mode || m_directory->servedEditor() != editor))
        closeNow(m_directory);
    showOnce(m_directory, [&] {
        auto *directory = new frmCompanies(mode, editor);
        if (editor)
            connect(directory, &frmCompanies::companyChosen, editor, &frmAdd::LoadCompany);
        connect(directory, &frmCompanies::companyEditorWanted, this, &frmmain::openCompanyEditor);
        return directory;
    });
}

void frmmain::openCompanyEditor(qint64 companyId)
{
    showOnce(m_companyEditor, [&] {
        auto *editor = new frmAddCo(companyId);
        // The directory open at the time of the save shows it.
        connect(editor, &frmAddCo::companySaved, this, [this] {
            if (m_directory)
                m_directory->LoadCompanies();
        });
        return editor;
    });
}

void frmmain::showCalendarWindow()
{
    showOnce(m_calendar, [this] {
        auto *calendar = new frmCalendar;
        connect(calendar, &frmCalendar::dayChosen, this, &frmmain::showServiceDateLookup);
        return calendar;
    });
}

void frmmain::openManual()
{
    // Without a program of the desktop for it, the manual is shown in the report viewer.
    if (!Desktop::open(QUrl::fromLocalFile(AppPaths::manualFile())))
        showFileInViewer(AppPaths::manualFile());
}

void frmmain::showAboutWindow()
{
    showOnce(m_about, [] { return new frmAbout; });
}

void frmmain::showOptions()
{
    showOnce(m_options, [this] {
        auto *options = new frmGenOpts;
        connect(options, &frmGenOpts::optionsSaved, this, &frmmain::optionsSaved);
        return options;
    });
}

void frmmain::backUpDatabase()
{
    BackUpDbase(this);
}

void frmmain::openDatabase()
{
    OpenDbase(this);
}
