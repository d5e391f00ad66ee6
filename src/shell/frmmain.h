#pragma once

#include "ColumnLayout.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

class CompanyPane;
class HistoryPane;
class ItemGrid;
class QAction;
class QFrame;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QTimer;

// The main window: the item list, the detail panel below it, the menus, toolbar and status bar.
class frmmain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmmain(QWidget *parent = nullptr);
    ~frmmain() override;

    // The one main window, or null before it exists and after it closed.
    static frmmain *instance();

    // Builds the window's content in the order of its load: columns, settings, all items.
    void load();

    ItemGrid *grid() const { return m_grid; }
    CompanyPane *companyPane() const { return m_companyPane; }
    HistoryPane *historyPane() const { return m_historyPane; }
    QPlainTextEdit *cellViewer() const { return m_cellViewer; }
    QAction *action(const QString &name) const;

    // Status bar panels 1 to 4.
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

    // The item list (see the free functions below).
    void setupGridColumns();
    void loadGrid(int sortField, int sortOrder, const QString &lookupValue, int lookupField);
    void saveColumnWidths();

    // The detail panel.
    void clearLastClick();
    void clearData();
    void loadHistory(int itemId);
    void loadNotes(int row);

    // A click on a list row (from 1) in a grid column; what a user's click does.
    void rowClicked(int row, int column);
    void rowDoubleClicked();
    int lastClickRow() const { return m_lastClickRow; }

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
    void entryAdded(int itemId);

    // The add-note and add-history buttons follow whether the list has items.
    void setAddButtonsEnabled(bool enabled);
    bool addButtonsEnabled() const { return m_addButtonsEnabled; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void buildCentralArea();
    void buildTimers();
    void updateClockPanels();
    void layoutCentralArea();
    void makeWorkingFolders();
    void buildMenus();
    void buildToolBar();
    void buildContextMenu();
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, void (frmmain::*slot)() = nullptr);
    void paintRow(int row, bool painted);
    bool requireSelection(const QString &message);
    template <typename Window>
    void openEntryWindow(Window *(*show)());
    void showCellViewer(int row, int column);
    int currentRow() const;

    ItemGrid *m_grid = nullptr;
    QFrame *m_line = nullptr;
    CompanyPane *m_companyPane = nullptr; // frmInv2
    HistoryPane *m_historyPane = nullptr; // frmInv3
    QGroupBox *m_logoFrame = nullptr;     // frmCompli
    QPlainTextEdit *m_cellViewer = nullptr; // txtDataEntry
    QMenu *m_contextMenu = nullptr;         // mnuInv
    int m_clickRow = 0;
    int m_lastClickRow = 0;
    QLabel *m_panels[4] = {};
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_tmrSleep = nullptr;
    QTimer *m_tmrProcess = nullptr;
    QTimer *m_clock = nullptr;
    bool m_addButtonsEnabled = false;
    bool m_closing = false;
};

// The item list routines every window calls; they act on the open main window.
// Each does nothing when the main window is not open.
void SetupGridColumns();
void LoadGrid(int sortField, int sortOrder, const QString &lookupValue, int lookupField);
void SaveColumnWidths();

// After an item changed: clears the selection and the detail panel and lists all items with
// the all-items sort; panel 1 names the view again.
void ReloadAfterItemChange();

// The detail panel below the list.
void ClearLastClick();          // removes the selection painting; NoItemSelected becomes true
void ClearData();               // empties the company pane and the history and notes grids
void LoadHistory(int itemId);   // fills the history grid with this item's history
void LoadNotes(int row);        // fills the notes grid with the notes of the item of list row
