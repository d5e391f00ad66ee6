#pragma once

#include "core/alarms/AlarmSchedule.h"
#include "core/db/FieldTable.h"
#include "core/itemlist/ListChange.h"
#include "core/itemlist/ViewState.h"
#include "core/records/History.h"
#include "gui/items/ItemEditor.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include <optional>

class AlarmMonitor;
class AppContext;
class AlarmTray;
class CompanyPane;
class HistoryPane;
class ItemGrid;
class QAction;
class QFrame;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QTimer;
class AboutDialog;
class OrderAckDialog;
class ServiceAckDialog;
class CompanyEditor;
class EntryDialog;
class AlarmWindow;
class CalendarWindow;
class ColumnSettingsDialog;
class CompanyDirectory;
class OptionsDialog;
class ImportPreviewDialog;
class LookupDialog;
class SortDialog;

// The main window: the item list, the detail panel below it, the menus, toolbar and status bar.
// The windows it opens answer through signals, which it connects.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The windows it opens share `context`, which the main window keeps current.
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Builds the window's content in the order of its load: columns, settings, all items.
    void load();

    ItemGrid *grid() const { return m_grid; }
    const ViewState &viewState() const { return m_view; }
    CompanyPane *companyPane() const { return m_companyPane; }
    HistoryPane *historyPane() const { return m_historyPane; }
    QPlainTextEdit *cellViewer() const { return m_cellViewer; }
    QAction *action(const QString &name) const;

    // Status bar panels 1 to 4.
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

    // The item list: its columns from the Columns table, and its rows, sorted on a field
    // number (order 0 ascending), all items or a lookup's.
    void setupGridColumns();
    void loadGrid(int sortField, SortOrders sortOrder, const QString &lookupValue, int lookupField);

    // The detail panel: clearLastClick removes the selection, clearData empties the panes.
    void clearLastClick();
    void clearData();
    bool noItemSelected() const { return m_noItemSelected; }
    // The item of the selected row; 0 when none is selected.
    qint64 selectedItemId() const;

    // What a user's click or double-click on a list row (from 1) in a grid column does.
    void rowClicked(int row, int column);
    void rowDoubleClicked(int row);

    // The commands of the menus, toolbar and context menu.
    void newItem();
    void editItem();
    void deleteSelectedItem();
    void addNote();
    void addHistory();
    void openManual();
    void showCompanies();
    void showCalendarWindow();
    void showAboutWindow();
    void showOptions();
    void backUpDatabase();
    void openDatabase();
    // The Reports menu (positions 0..7), its exports and the CSV import, and View > Report Viewer.
    void reportCommand(int position);
    void exportListAsCsv();
    void exportDueDates();
    void importItemsCsv();
    void openReportViewer();
    void showAlarms();

    // The alarm monitor's timers, snooze and wake.
    AlarmMonitor *alarmMonitor() const { return m_monitor; }

    // The item editor, which exists once: `fresh` closes an open one (nothing saved) and opens
    // a new one; otherwise an open one is raised as it is. Gives the editor shown.
    ItemEditor *openItemEditor(ItemEditor::ItemEditMode mode, qint64 itemId, bool fresh);
    // The windows that exist once and answer to this one; null when none is open.
    ItemEditor *itemEditor() const;
    AlarmWindow *alarmWindow() const;

    // The add-note and add-history buttons follow whether the list has items.
    bool addButtonsEnabled() const { return m_addButtonsEnabled; }

public Q_SLOTS:
    // Reads the settings again: the alarm status in panel 2 (shown at once, also during a snooze,
    // which runs on to its end) and the time of the next alarm check.
    void applySettings();
    void optionsSaved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void buildCentralArea();
    void updateClockPanels();
    void layoutCentralArea();
    void makeWorkingFolders();
    void buildMenus();
    void buildToolBar();
    void buildContextMenu();
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, void (MainWindow::*slot)() = nullptr);
    void setAddButtonsEnabled(bool enabled);
    bool requireSelection(const QString &message);
    void openEntryWindow(EntryTarget target);
    // The note or history window for an item, serving `opener` (this window or Service
    // Acknowledge) as well as any that opened it before.
    void showEntryWindowFor(EntryTarget target, qint64 itemId, QWidget *opener);
    void showCellViewer(int row, int column);
    void storeColumnWidths();
    void fillPanes(int row);

    // Answers of the windows this one opens.
    void itemSaved();
    void entryAdded(const EntryDialog *window);
    void showServiceDateLookup(const QDate &day);
    // The company directory, choosing for an item editor (select mode) or, without one,
    // browsing: an open one serving the same is raised unchanged, any other is closed and opened
    // anew. The company editor it asks for exists once and may outlive it.
    void openCompanyDirectory(ItemEditor *editor);
    void openCompanyEditor(qint64 companyId);
    void acknowledged();

    // The alarm monitor's signals and the snooze.
    // The alarm window; without `activate` (a timer shows it) the keyboard stays where it is.
    void openAlarmWindow(bool activate);
    // The acknowledgements the alarm window asks for: an open one is raised unchanged, whichever
    // item it is for. They outlive the alarm window.
    void openServiceAck(qint64 itemId);
    void openOrderAck(qint64 itemId);
    void connectAlarmMonitor();
    // The options read: kept for the windows, the next alarm check, panel 2, the open windows told.
    void useSettings(const AppSettings &settings);
    void woke();
    void sleepFor(AlarmSchedule::SleepChoice choice);
    // The tray icon follows the pending alarms; a check may also notify the desktop.
    void refreshTray(bool notify);
    // The periodic check and the wake: the alarm window shown without the keyboard, the tray told.
    void showAlarmsFromTimer();

    // The views: display modes, sort and lookup, column settings (MainWindowViews.cpp).
    void showAllItems();
    void showLookupItems();
    void loadView(const GridQuery &query);
    void showListAfter(ListEvent event, const QDate &day = QDate());
    void lookupMenuChosen();
    void sortMenuChosen();
    void openLookupDialog();
    void openSortDialog();
    void openLookupAt(std::optional<int> position);
    void openSortAt(std::optional<int> position);
    void openColumnSettings();
    void sortChosen(Field::Number field, SortOrders order);
    void lookupChosen(Field::Number field, const QString &value);
    void columnsSaved();

    AppContext &m_context;
    ViewState m_view;
    ItemGrid *m_grid = nullptr;
    QFrame *m_line = nullptr;
    CompanyPane *m_companyPane = nullptr; // frmInv2
    HistoryPane *m_historyPane = nullptr; // frmInv3
    QGroupBox *m_logoFrame = nullptr; // frmCompli
    QPlainTextEdit *m_cellViewer = nullptr; // txtDataEntry
    QMenu *m_contextMenu = nullptr; // mnuInv
    bool m_noItemSelected = true;
    int m_clickRow = 0;
    int m_lastClickRow = 0;
    QLabel *m_panels[4] = {};
    QTimer *m_clock = nullptr;
    AlarmMonitor *m_monitor = nullptr;
    AlarmTray *m_tray = nullptr;
    bool m_addButtonsEnabled = false;
    bool m_closing = false;

    // The windows only this one opens, each once at a time: made and connected when they open,
    // deleted when they close (an open one is raised as it is).
    QPointer<CalendarWindow> m_calendar;
    QPointer<LookupDialog> m_lookup;
    QPointer<SortDialog> m_sort;
    QPointer<ColumnSettingsDialog> m_columns;
    QPointer<OptionsDialog> m_options;
    QPointer<AboutDialog> m_about;
    // The windows others open through this one, each once at a time and connected when made:
    // the alarm window, its acknowledgements, the item editor, the company directory and the
    // note and history windows.
    QPointer<AlarmWindow> m_alarms;
    QPointer<ServiceAckDialog> m_serviceAck;
    QPointer<OrderAckDialog> m_orderAck;
    QPointer<ItemEditor> m_editor;
    QPointer<CompanyDirectory> m_directory;
    QPointer<CompanyEditor> m_companyEditor;
    QPointer<EntryDialog> m_entryWindows[2]; // by EntryTarget
    QPointer<ImportPreviewDialog> m_import; // a new preview replaces the open one
};
