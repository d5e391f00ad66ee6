#pragma once

#include <QDialog>

class Database;
class QPlainTextEdit;

// The About window: the product, its version and build from the settings row.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(Database &database, QWidget *parent = nullptr);

    // Shows the version and build (nothing when the settings row cannot be read).
    void load();

    // "Tarvo v" + Version, a line break, "Build: " + build.
    static QString aboutText(Database &database);

private:
    Database &m_database;
    QPlainTextEdit *m_text = nullptr;
};
