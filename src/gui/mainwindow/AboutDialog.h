#pragma once

#include <QDialog>

// The About window: the product, its version and build from the settings row.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // "Tarvo v" + Version, a line break, "Build: " + build.
    static QString aboutText();
};
