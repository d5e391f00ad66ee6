// The main window's menus, toolbar and context menu, and the commands carried out here.

#include "frmmain.h"

#include "ItemDelete.h"
#include "ItemGrid.h"
#include "frmAbout.h"

#include "companies/frmCompanies.h"
#include "data/AppPaths.h"
#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "items/frmAdd.h"
#include "platform/Desktop.h"
#include "platform/WindowUtil.h"
#include "records/frmAddHst.h"
#include "records/frmAddNote.h"
#include "views/frmCalendar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// The field captions of the Lookup and Sort menus; the Sort menu also has "by Replacement Stock".
const char *const LookupCaptions[22] = {
    "by Name", "by Tag", "by Location", "by Hazmat", "by Part", "by Serial", "by Service Date",
    "by Service Warning", "by Date Serviced", "by Serviced By", "by Tools", "by Date Installed",
    "by Lead Time", "by Service Interval", "by Purchase Order", "by Company", "by Reference Manuals",
    "by Equipment Locked", "by Custom 1", "by Custom 2", "by Custom 3", "by ID"};

const char *const ReportCaptions[8] = {"All", "Lookup", "Item History", "Companies", "Service Alarms",
                                       "Order Alarms", "Order and Service Alarms", "Item Notes"};

// The Sort menu's entries with their positions: the field numbers, with no 6.
QVector<QPair<int, QString>> sortEntries()
{
    QVector<QPair<int, QString>> entries;
    int field = 0;
    for (int i = 0; i < 22; ++i) {
        if (field == 6)
            ++field; // the replacement parts are no field to sort on
        entries.append({field++, QString::fromLatin1(LookupCaptions[i])});
        if (i == 15)
            entries.append({field++, QStringLiteral("by Replacement Stock")});
    }
    return entries;
}

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
    addCommand(file, "mnuOpenDbase", QStringLiteral("Open Database"));
    addCommand(file, "mnuBackup", QStringLiteral("Backup Database"));
    file->addSeparator();
    QAction *exit = addCommand(file, "mnuExit", QStringLiteral("Exit"));
    exit->setEnabled(true);
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *display = bar->addMenu(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("mnuDisplay"));
    addCommand(display, "mnuDispLookUp", QStringLiteral("Lookup"));
    addCommand(display, "mnuAll", QStringLiteral("All"));

    QMenu *lookup = bar->addMenu(QStringLiteral("&Lookup"));
    lookup->setObjectName(QStringLiteral("mnuLookupBy"));
    for (int i = 0; i < 22; ++i) {
        QAction *entry = addCommand(lookup, "", QString::fromLatin1(LookupCaptions[i]));
        entry->setObjectName(QStringLiteral("mnuLookupBy_%1").arg(i));
        entry->setProperty("position", i);
    }

    QMenu *sort = bar->addMenu(QStringLiteral("&Sort"));
    sort->setObjectName(QStringLiteral("mnuSortby"));
    for (const auto &[position, caption] : sortEntries()) {
        QAction *entry = addCommand(sort, "", caption);
        entry->setObjectName(QStringLiteral("mnuSortby_%1").arg(position));
        entry->setProperty("position", position);
    }

    QMenu *reports = bar->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("mnuReports"));
    for (int i = 0; i < 8; ++i) {
        QAction *entry = addCommand(reports, "", QString::fromLatin1(ReportCaptions[i]));
        entry->setObjectName(QStringLiteral("mnuReport_%1").arg(i));
        entry->setProperty("position", i);
    }

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    addCommand(view, "mnuAlarms", QStringLiteral("Alarms"));
    addCommand(view, "mnuReportView", QStringLiteral("Report Viewer"));
    addCommand(view, "mnuCalendar", QStringLiteral("Calendar"), &frmmain::showCalendarWindow);
    addCommand(view, "mnuCompanies", QStringLiteral("Companies"), &frmmain::showCompanies);
    addCommand(view, "mnuLookup", QStringLiteral("Lookup"))->setShortcut(QKeySequence::Find);
    addCommand(view, "mnuSort", QStringLiteral("Sort"));

    QMenu *options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    addCommand(options, "mnuGeneral", QStringLiteral("General"));
    addCommand(options, "mnuColums", QStringLiteral("Columns"));

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
    QAction *columns = addCommand(m_contextMenu, "mnuEditColumns", QStringLiteral("Edit Columns"));
    connect(action(QStringLiteral("mnuColums")), &QAction::enabledChanged, columns, &QAction::setEnabled);
}

void frmmain::newItem()
{
    gv().ItemEditMode = 0;
    showItemEditor();
}

bool frmmain::requireSelection(const QString &message)
{
    if (!gv().NoItemSelected)
        return true;
    MessageBox::information(this, message);
    return false;
}

void frmmain::editItem()
{
    if (!requireSelection(QStringLiteral("Please select an item to edit first")))
        return;
    gv().SelectedRow = currentRow();
    gv().ItemEditMode = 1;
    showItemEditor();
}

void frmmain::deleteSelectedItem()
{
    if (!requireSelection(QStringLiteral("Please select an item to delete first"))) {
        clearData();
        return;
    }
    GlobalVars &g = gv();
    const int id = g.rowItemId(currentRow());
    if (!MessageBox::confirm(this, deleteItemQuestion(id)))
        return;
    if (!runGuarded(this, [&] { deleteItem(db(), id); }))
        return;
    // The lookup view's sort settings are used in both views.
    LoadGrid(g.SortFieldLookup, g.SortOrderLookup, g.DisplayMode == 1 ? QString() : g.LookupValue, g.LookupField);
    clearData();
}

// The note and history windows take the selected row's item when they open.
template <typename Window>
void frmmain::openEntryWindow(Window *(*show)())
{
    if (!requireSelection(QStringLiteral("Please select an item first")))
        return;
    gv().SelectedRow = currentRow();
    gv().EntryFromMainWindow = true;
    Window *window = show();
    connect(window, &Window::entryAdded, this, &frmmain::entryAdded, Qt::UniqueConnection);
}

void frmmain::addNote()
{
    openEntryWindow(&showAddNote);
}

void frmmain::addHistory()
{
    openEntryWindow(&showAddHistory);
}

void frmmain::entryAdded(int itemId)
{
    // The entry window keeps its item; its pane is refreshed only while that item is shown.
    const GlobalVars &g = gv();
    if (g.NoItemSelected || g.rowItemId(m_lastClickRow) != itemId)
        return;
    runGuarded(this, [&] {
        loadHistory(itemId);
        loadNotes(m_lastClickRow);
    });
}

void frmmain::showCompanies()
{
    showCompanyDirectory(false);
}

void frmmain::showCalendarWindow()
{
    showCalendar();
}

void frmmain::openManual()
{
    Desktop::open(QUrl::fromLocalFile(AppPaths::manualFile()));
}

void frmmain::showAboutWindow()
{
    showAbout();
}
