#pragma once

#include "core/records/History.h"

#include <QMainWindow>
#include <QSet>

#include <functional>

class AlarmController;
class AppContext;
class CompanyPane;
class HistoryPane;
class ItemGrid;
class ItemListController;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;
class WindowRegistry;

// The main window: the item list, the detail panel below it, the menus, toolbar and status bar.
// It lays out the widgets and assembles the collaborators that do the work: the item list's
// controller, the alarm controller and the registry of the windows that exist once. Its
// commands hand on to them; it carries out only what spans them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The windows it opens share `context`, which the alarm controller keeps current.
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Builds the window's content in the order of its load: columns, settings, all items.
    void load();

    ItemListController *itemList() const { return m_items; }
    AlarmController *alarms() const { return m_alarms; }
    WindowRegistry *windows() const { return m_windows; }

    ItemGrid *grid() const { return m_grid; }
    CompanyPane *companyPane() const { return m_companyPane; }
    HistoryPane *historyPane() const { return m_historyPane; }
    QPlainTextEdit *cellViewer() const { return m_cellViewer; }
    QAction *action(const QString &name) const;

    // Status bar panels 1 to 4.
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

    // Empties the detail panes.
    void clearData();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void buildCentralArea();
    void connectCollaborators();
    void updateClockPanels();
    void layoutCentralArea();
    void makeWorkingFolders();
    void setAddButtonsEnabled(bool enabled);
    void fillPanes(int row);

    // The menus, toolbar and context menu (MainWindowMenus.cpp).
    void buildMenus();
    void buildReportsMenu(QMenu *reports);
    void buildToolBar();
    void buildContextMenu();
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, const std::function<void()> &command = nullptr);
    // What an export wrote, shown for a while in the status bar.
    void showExported(const QString &written);

    // The commands that span the collaborators.
    bool requireSelection(const QString &message);
    void editItem();
    void deleteSelectedItem();
    // The note and history windows take the selected row's item when they open.
    void openEntryWindow(EntryTarget target);
    // An entry added from a window serving this one: its pane is refreshed only while its item
    // is shown.
    void refreshEntries(EntryTarget target, qint64 itemId);
    // An item saved or imported, or an acknowledgement stored: the lists and the tray follow.
    void refreshAfterSave();
    void refreshAfterAcknowledgement();
    // Another technician changed these tables: the list, the panes and the alarms follow.
    void followChangesElsewhere(const QSet<QString> &tables);
    // The Reports menu (positions of the report list): the reports get what the window shows.
    void reportCommand(int position);
    void openManual();

    AppContext &m_context;
    ItemGrid *m_grid = nullptr;
    QFrame *m_line = nullptr;
    CompanyPane *m_companyPane = nullptr; // frmInv2
    HistoryPane *m_historyPane = nullptr; // frmInv3
    QGroupBox *m_logoFrame = nullptr; // frmCompli
    QPlainTextEdit *m_cellViewer = nullptr; // txtDataEntry
    QMenu *m_contextMenu = nullptr; // mnuInv
    QLabel *m_panels[4] = {};
    QLabel *m_databaseName = nullptr;
    QTimer *m_clock = nullptr;
    bool m_closing = false;

    ItemListController *m_items = nullptr;
    AlarmController *m_alarms = nullptr;
    WindowRegistry *m_windows = nullptr;
};
