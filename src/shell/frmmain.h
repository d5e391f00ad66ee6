#pragma once

#include "ColumnLayout.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

class ItemGrid;
class QFrame;
class QGroupBox;
class QTimer;
class QToolBar;

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

    // The add-note and add-history buttons follow whether the list has items.
    void setAddButtonsEnabled(bool enabled);
    bool addButtonsEnabled() const { return m_addButtonsEnabled; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void buildCentralArea();
    void buildTimers();
    void updateClockPanels();
    void layoutCentralArea();
    void makeWorkingFolders();

    ItemGrid *m_grid = nullptr;
    QFrame *m_line = nullptr;
    QGroupBox *m_companyFrame = nullptr; // frmInv2
    QGroupBox *m_historyFrame = nullptr; // frmInv3
    QGroupBox *m_logoFrame = nullptr;    // frmCompli
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
