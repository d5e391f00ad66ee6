// The main window's menus, toolbar and context menu: each command hands on to the collaborator
// that carries it out.

#include "MainWindow.h"

#include "WindowRegistry.h"

#include "core/db/Database.h"
#include "core/itemlist/ItemListModel.h"
#include "core/reports/ReportCommand.h"
#include "core/settings/AppContext.h"
#include "gui/alarms/AlarmController.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/maintenance/DatabaseCommands.h"
#include "gui/maintenance/ServerCommands.h"
#include "gui/platform/Mnemonics.h"
#include "gui/reports/ReportCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

QAction *MainWindow::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QAction *MainWindow::addCommand(QMenu *menu, const char *name, const QString &text, const std::function<void()> &command)
{
    QAction *act = menu->addAction(text);
    act->setObjectName(QString::fromLatin1(name));
    if (command)
        connect(act, &QAction::triggered, this, command);
    else
        act->setEnabled(false); // its window comes with later work
    return act;
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addCommand(file, "mnuNew", QStringLiteral("New"), [this] {
        m_windows->openItemEditor(ItemEditor::AddItem, 0, false);
    })->setShortcut(QKeySequence::New);
    addCommand(file, "mnuEdit", QStringLiteral("Edit"), [this] { editItem(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addCommand(file, "mnuDelete", QStringLiteral("Delete"), [this] { deleteSelectedItem(); })->setShortcut(QKeySequence::Delete);
    file->addSeparator();
    // On a server the database is the server's to keep: a copy goes out as a new file, and a
    // file opened switches the program back to the file.
    const bool onServer = m_context.database().isServer();
    addCommand(file, "mnuOpenDbase", QStringLiteral("Open Database"), [this] { switchDatabase(this, m_context.database()); });
    addCommand(file, "mnuConnect", QStringLiteral("Connect to Server\u2026"), [this] { connectToServer(this); });
    addCommand(file, "mnuBackup", onServer ? QStringLiteral("Export to File\u2026") : QStringLiteral("Backup Database"),
               [this] { backUpDatabase(this, m_context.database()); });
    file->addSeparator();
    QAction *exit = addCommand(file, "mnuExit", QStringLiteral("Exit"));
    exit->setEnabled(true);
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *display = bar->addMenu(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("mnuDisplay"));
    addCommand(display, "mnuDispLookUp", QStringLiteral("Lookup"), [this] { m_items->showLookupItems(); });
    addCommand(display, "mnuAll", QStringLiteral("All"), [this] { m_items->showAllItems(); });

    QMenu *lookup = bar->addMenu(QStringLiteral("&Lookup"));
    lookup->setObjectName(QStringLiteral("mnuLookupBy"));
    for (int position = 0; position < FieldTable::LookupPositions; ++position) {
        const FieldSpec &field = *FieldTable::field(*FieldTable::fieldAtLookupPosition(position));
        QAction *entry = addCommand(lookup, "", QString::fromLatin1(field.caption),
                                    [this, position] { m_windows->openLookupAt(position); });
        entry->setObjectName(QStringLiteral("mnuLookupBy_%1").arg(position));
        entry->setProperty("position", position);
    }

    // The Sort menu's positions are the field numbers; there is no 6, which the dialog's list
    // has no entry for either.
    QMenu *sort = bar->addMenu(QStringLiteral("&Sort"));
    sort->setObjectName(QStringLiteral("mnuSortby"));
    for (int position = 0; position < FieldTable::SortPositions; ++position) {
        const Field::Number number = *FieldTable::fieldAtSortPosition(position);
        QAction *entry = addCommand(sort, "", QString::fromLatin1(FieldTable::field(number)->caption),
                                    [this, number] { m_windows->openSortAt(FieldTable::sortPositionOf(number)); });
        entry->setObjectName(QStringLiteral("mnuSortby_%1").arg(int(number)));
        entry->setProperty("position", int(number));
    }

    QMenu *reports = bar->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("mnuReports"));
    buildReportsMenu(reports);

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    addCommand(view, "mnuAlarms", QStringLiteral("Alarms"), [this] { m_alarms->showAlarms(); });
    addCommand(view, "mnuReportView", QStringLiteral("Report Viewer"), [] { showReportViewer(); });
    addCommand(view, "mnuCalendar", QStringLiteral("Calendar"), [this] { m_windows->showCalendar(); });
    addCommand(view, "mnuCompanies", QStringLiteral("Companies"), [this] { m_windows->openCompanyDirectory(nullptr); });
    addCommand(view, "mnuLookup", QStringLiteral("Lookup"), [this] {
        m_windows->openLookupAt(std::nullopt);
    })->setShortcut(QKeySequence::Find);
    addCommand(view, "mnuSort", QStringLiteral("Sort"), [this] { m_windows->openSortAt(std::nullopt); });

    QMenu *options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    addCommand(options, "mnuGeneral", QStringLiteral("General"), [this] { m_windows->showOptions(); });
    addCommand(options, "mnuColums", QStringLiteral("Columns"), [this] { m_windows->openColumnSettings(); });

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addCommand(help, "mnuContents", QStringLiteral("Contents"), [this] { openManual(); })->setShortcut(QKeySequence::HelpContents);
    addCommand(help, "mnuAbout", QStringLiteral("About"), [this] { m_windows->showAbout(); });
    for (QAction *title : bar->actions())
        Mnemonics::give(title->menu());
}

// One entry per report of the report list, by its position; then the exports and the import.
void MainWindow::buildReportsMenu(QMenu *reports)
{
    for (const ReportEntry &report : reportEntries()) {
        const int position = report.position;
        QAction *entry = addCommand(reports, "", QString::fromLatin1(report.caption),
                                    [this, position] { reportCommand(position); });
        entry->setObjectName(QStringLiteral("mnuReport_%1").arg(position));
        entry->setProperty("position", position);
    }
    reports->addSeparator();
    addCommand(reports, "mnuExportCsv", QStringLiteral("Export List as CSV"),
               [this] { showExported(exportListCsv(this, *m_items->model())); });
    addCommand(reports, "mnuExportCsvAll", QStringLiteral("Export All Fields as CSV"),
               [this] { showExported(exportAllFieldsCsv(this, m_context.database())); });
    addCommand(reports, "mnuExportIcs", QStringLiteral("Export Due Dates as Calendar"),
               [this] { showExported(exportDueDateCalendar(this, m_context.database())); });
    addCommand(reports, "mnuImportCsv", QStringLiteral("Import Items from CSV\u2026"), [this] { m_windows->importItemsCsv(); });
}

void MainWindow::showExported(const QString &written)
{
    constexpr int ShownMsec = 15000;
    if (!written.isEmpty())
        statusBar()->showMessage(written, ShownMsec);
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
    addCommand(m_contextMenu, "mnuEditItem", QStringLiteral("Edit Item"), [this] { editItem(); });
    addCommand(m_contextMenu, "mnuDeleteItem", QStringLiteral("Delete Item"), [this] { deleteSelectedItem(); });
    QAction *columns = addCommand(m_contextMenu, "mnuEditColumns", QStringLiteral("Edit Columns"),
                                  [this] { m_windows->openColumnSettings(); });
    connect(action(QStringLiteral("mnuColums")), &QAction::enabledChanged, columns, &QAction::setEnabled);
    Mnemonics::give(m_contextMenu);
}
