#pragma once

#include "core/records/History.h"
#include "gui/records/EntryGrid.h"

#include <QGroupBox>

class Database;
class QLabel;
class QPushButton;
class QTableWidget;

// A pane below the item list: its historic size, or more where its lines need it; it gives way
// down to them, and is no higher than the room the window leaves it.
class DetailPane : public QGroupBox
{
public:
    DetailPane(const QString &title, int widthTwips, QWidget *parent);

    QSize sizeHint() const override;
    void setRoom(int height);

private:
    int m_widthTwips;
    int m_room = QWIDGETSIZE_MAX;
};

// The company pane (frmInv2): the selected item's vendor, on two pages switched by "More"/"Back".
class CompanyPane : public DetailPane
{
    Q_OBJECT

public:
    explicit CompanyPane(Database &database, QWidget *parent = nullptr);

    // Fills the value labels from the company with this ID (empty when there is none).
    void showCompany(qint64 companyId);
    void clear();
    QString valueText(const char *labelName) const;
    void toggleCompanyPage(); // cmdChangeCo
    QPushButton *moreButton() const { return m_more; }
    // The first control Tab reaches in the pane.
    QWidget *firstInTabOrder() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *caption(const char *name, const QString &text, int index);
    QLabel *value(const char *name);
    void placeLines();
    void showPage(bool first);

    Database &m_database;
    QLabel *m_captions[7] = {}; // lblCo(0..6)
    QLabel *m_notesCaption = nullptr;
    QLabel *m_name, *m_street1, *m_street2, *m_city, *m_phone1, *m_email, *m_contact;
    QLabel *m_web, *m_phone2, *m_notes;
    QPushButton *m_more = nullptr;
    QString m_emailAddress;
    QString m_webAddress;
};

// The history and notes pane (frmInv3): one grid shown at a time, and its add button.
class HistoryPane : public DetailPane
{
    Q_OBJECT

public:
    explicit HistoryPane(Database &database, QWidget *parent = nullptr);

    void loadHistory(qint64 itemId);
    void loadNotes(qint64 itemId);
    void clear();
    void toggleView(); // cmdChange
    bool showingNotes() const;

    QTableWidget *historyGrid() const { return m_history; }
    QTableWidget *notesGrid() const { return m_notes; }
    QPushButton *addHistoryButton() const { return m_addHistory; }
    QPushButton *addNoteButton() const { return m_addNote; }
    QPushButton *changeButton() const { return m_change; }

private:
    EntryGrid *makeGrid(const char *name);
    void fill(EntryGrid *grid, EntryTarget target, qint64 itemId, int rowHeightTwips);

    Database &m_database;
    QLabel *m_title = nullptr;
    EntryGrid *m_history = nullptr;
    EntryGrid *m_notes = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_addHistory = nullptr;
    QPushButton *m_addNote = nullptr;
};
