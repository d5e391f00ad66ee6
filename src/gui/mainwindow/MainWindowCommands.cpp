// The main window's menus, toolbar and context menu, and the commands carried out here.

#include "MainWindow.h"

#include "AboutDialog.h"
#include "DetailPanel.h"
#include "gui/itemlist/ItemGrid.h"

#include "core/db/Recordset.h"
#include "core/itemlist/ItemDelete.h"
#include "core/itemlist/ItemListModel.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/maintenance/DatabaseCommands.h"
#include "gui/maintenance/OptionsDialog.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/EntryDialog.h"
#include "gui/reports/ReportCommands.h"
#include "gui/views/CalendarWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// By Report::Position.
const char *const ReportCaptions[Report::Count] = {"All", "Lookup", "Item History", "Companies", "Service Alarms",
                                                   "Order Alarms", "Order and Service Alarms", "Item Notes"};

} // namespace

QAction *MainWindow::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QAction *MainWindow::addCommand(QMenu *menu, const char *name, const QString &text, void (MainWindow::*slot)())
{
    QAction *act = menu->addAction(text);
    act->setObjectName(QString::fromLatin1(name));
    if (slot)
        connect(act, &QAction::triggered, this, slot);
    else
        act->setEnabled(false); // its window comes with later work
    return act;
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addCommand(file, "mnuNew", QStringLiteral("New"), &MainWindow::newItem)->setShortcut(QKeySequence::New);
    addCommand(file, "mnuEdit", QStringLiteral("Edit"), &MainWindow::editItem)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addCommand(file, "mnuDelete", QStringLiteral("Delete"), &MainWindow::deleteSelectedItem)->setShortcut(QKeySequence::Delete);
    file->addSeparator();
    addCommand(file, "mnuOpenDbase", QStringLiteral("Open Database"), &MainWindow::openDatabase);
    addCommand(file, "mnuBackup", QStringLiteral("Backup Database"), &MainWindow::backUpDatabase);
    file->addSeparator();
    QAction *exit = addCommand(file, "mnuExit", QStringLiteral("Exit"));
    exit->setEnabled(true);
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *display = bar->addMenu(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("mnuDisplay"));
    addCommand(display, "mnuDispLookUp", QStringLiteral("Lookup"), &MainWindow::showLookupItems);
    addCommand(display, "mnuAll", QStringLiteral("All"), &MainWindow::showAllItems);

    QMenu *lookup = bar->addMenu(QStringLiteral("&Lookup"));
    lookup->setObjectName(QStringLiteral("mnuLookupBy"));
    for (int position = 0; position < FieldTable::LookupPositions; ++position) {
        const FieldSpec &field = *FieldTable::field(*FieldTable::fieldAtLookupPosition(position));
        QAction *entry = addCommand(lookup, "", QString::fromLatin1(field.caption), &MainWindow::lookupMenuChosen);
        entry->setObjectName(QStringLiteral("mnuLookupBy_%1").arg(position));
        entry->setProperty("position", position);
    }

    // The Sort menu's positions are the field numbers; there is no 6.
    QMenu *sort = bar->addMenu(QStringLiteral("&Sort"));
    sort->setObjectName(QStringLiteral("mnuSortby"));
    for (int position = 0; position < FieldTable::SortPositions; ++position) {
        const Field::Number number = *FieldTable::fieldAtSortPosition(position);
        QAction *entry = addCommand(sort, "", QString::fromLatin1(FieldTable::field(number)->caption), &MainWindow::sortMenuChosen);
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
    addCommand(reports, "mnuExportCsv", QStringLiteral("Export List as CSV"), &MainWindow::exportListAsCsv);
    addCommand(reports, "mnuExportIcs", QStringLiteral("Export Due Dates as Calendar"), &MainWindow::exportDueDates);
    addCommand(reports, "mnuImportCsv", QStringLiteral("Import Items from CSV\u2026"), &MainWindow::importItemsCsv);

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    addCommand(view, "mnuAlarms", QStringLiteral("Alarms"), &MainWindow::showAlarms);
    addCommand(view, "mnuReportView", QStringLiteral("Report Viewer"), &MainWindow::openReportViewer);
    addCommand(view, "mnuCalendar", QStringLiteral("Calendar"), &MainWindow::showCalendarWindow);
    addCommand(view, "mnuCompanies", QStringLiteral("Companies"), &MainWindow::showCompanies);
    addCommand(view, "mnuLookup", QStringLiteral("Lookup"), &MainWindow::openLookupDialog)->setShortcut(QKeySequence::Find);
    addCommand(view, "mnuSort", QStringLiteral("Sort"), &MainWindow::openSortDialog);

    QMenu *options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    addCommand(options, "mnuGeneral", QStringLiteral("General"), &MainWindow::showOptions);
    addCommand(options, "mnuColums", QStringLiteral("Columns"), &MainWindow::openColumnSettings);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addCommand(help, "mnuContents", QStringLiteral("Contents"), &MainWindow::openManual)->setShortcut(QKeySequence::HelpContents);
    addCommand(help, "mnuAbout", QStringLiteral("About"), &MainWindow::showAboutWindow);
}

void MainWindow::buildToolBar()
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

void MainWindow::buildContextMenu()
{
    m_contextMenu = new QMenu(QStringLiteral("Invisible"), this);
    m_contextMenu->setObjectName(QStringLiteral("mnuInv"));
    addCommand(m_contextMenu, "mnuEditItem", QStringLiteral("Edit Item"), &MainWindow::editItem);
    addCommand(m_contextMenu, "mnuDeleteItem", QStringLiteral("Delete Item"), &MainWindow::deleteSelectedItem);
    QAction *columns = addCommand(m_contextMenu, "mnuEditColumns", QStringLiteral("Edit Columns"), &MainWindow::openColumnSettings);
    connect(action(QStringLiteral("mnuColums")), &QAction::enabledChanged, columns, &QAction::setEnabled);
}

void MainWindow::newItem()
{
    openItemEditor(ItemEditor::AddItem, 0, false);
}

ItemEditor *MainWindow::openItemEditor(ItemEditor::ItemEditMode mode, qint64 itemId, bool fresh)
{
    if (fresh)
        closeNow(m_editor);
    return showOnce(m_editor, [&] {
        auto *editor = new ItemEditor(m_context, mode, itemId, m_grid->itemModel()->columnLayout());
        editor->load();
        connect(editor, &ItemEditor::itemSaved, this, &MainWindow::itemSaved);
        connect(editor, &ItemEditor::companyWanted, this, [this, editor] { openCompanyDirectory(editor); });
        return editor;
    });
}

ItemEditor *MainWindow::itemEditor() const
{
    return m_editor;
}

bool MainWindow::requireSelection(const QString &message)
{
    if (!m_noItemSelected)
        return true;
    MessageBox::information(this, message);
    return false;
}

void MainWindow::editItem()
{
    if (requireSelection(QStringLiteral("Please select an item to edit first")))
        openItemEditor(ItemEditor::EditListItem, selectedItemId(), false);
}

void MainWindow::deleteSelectedItem()
{
    if (!requireSelection(QStringLiteral("Please select an item to delete first"))) {
        clearData();
        return;
    }
    const qint64 id = selectedItemId();
    if (!MessageBox::confirm(this, deleteItemQuestion(id)))
        return;
    if (!runGuarded(this, QStringLiteral("delete the item"), [&] { deleteItem(m_context.database(), id); }))
        return;
    // The alarm list shown drops the item's rows.
    if (AlarmWindow *alarms = alarmWindow())
        alarms->load();
    showListAfter(ListEvent::ItemDeleted);
    refreshTray(false);
}

// The note and history windows take the selected row's item when they open.
void MainWindow::openEntryWindow(EntryTarget target)
{
    if (!requireSelection(QStringLiteral("Please select an item first")))
        return;
    showEntryWindowFor(target, selectedItemId(), this);
}

void MainWindow::showEntryWindowFor(EntryTarget target, qint64 itemId, QWidget *opener)
{
    showEntryWindow(m_entryWindows[target], m_context.database(), target, itemId, [this](EntryDialog *window) {
        connect(window, &EntryDialog::entryAdded, this, [this, window] { entryAdded(window); });
    })->serve(opener);
}

void MainWindow::addNote()
{
    openEntryWindow(NotesTarget);
}

void MainWindow::addHistory()
{
    openEntryWindow(HistoryTarget);
}

void MainWindow::itemSaved()
{
    showListAfter(ListEvent::ItemSaved);
    refreshTray(false);
}

void MainWindow::entryAdded(const EntryDialog *window)
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

void MainWindow::showServiceDateLookup(const QDate &day)
{
    showListAfter(ListEvent::DayPicked, day);
}

void MainWindow::showCompanies()
{
    openCompanyDirectory(nullptr);
}

void MainWindow::openCompanyDirectory(ItemEditor *editor)
{
    const CompanyDirectory::Mode mode = editor ? CompanyDirectory::Mode::Select : CompanyDirectory::Mode::Browse;
    if (m_directory && (m_directory->mode() != mode || m_directory->servedEditor() != editor))
        closeNow(m_directory);
    showOnce(m_directory, [&] {
        auto *directory = new CompanyDirectory(m_context.database(), mode, editor);
        directory->load();
        if (editor)
            connect(directory, &CompanyDirectory::companyChosen, editor, &ItemEditor::showCompany);
        connect(directory, &CompanyDirectory::companyEditorWanted, this, &MainWindow::openCompanyEditor);
        return directory;
    });
}

void MainWindow::openCompanyEditor(qint64 companyId)
{
    showOnce(m_companyEditor, [&] {
        auto *editor = new CompanyEditor(m_context.database(), companyId);
        editor->load();
        // The directory open at the time of the save shows it.
        connect(editor, &CompanyEditor::companySaved, this, [this] {
            if (m_directory)
                m_directory->load();
        });
        return editor;
    });
}

void MainWindow::showCalendarWindow()
{
    showOnce(m_calendar, [this] {
        auto *calendar = new CalendarWindow(m_context.database());
        calendar->load();
        connect(calendar, &CalendarWindow::dayChosen, this, &MainWindow::showServiceDateLookup);
        return calendar;
    });
}

void MainWindow::openManual()
{
    // Without a program of the desktop for it, the manual is shown in the report viewer.
    if (!Desktop::open(QUrl::fromLocalFile(AppPaths::manualFile())))
        showFileInViewer(AppPaths::manualFile());
}

void MainWindow::showAboutWindow()
{
    showOnce(m_about, [this] {
        auto *about = new AboutDialog(m_context.database());
        about->load();
        return about;
    });
}

void MainWindow::showOptions()
{
    showOnce(m_options, [this] {
        auto *options = new OptionsDialog(m_context.database());
        options->load();
        connect(options, &OptionsDialog::optionsSaved, this, &MainWindow::optionsSaved);
        return options;
    });
}

void MainWindow::backUpDatabase()
{
    ::backUpDatabase(this, m_context.database());
}

void MainWindow::openDatabase()
{
    switchDatabase(this, m_context.database());
}
