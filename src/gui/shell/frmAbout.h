#pragma once

#include <QDialog>

// The About window: the product, its version and build from the settings row.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "Tarvo v" + Version, a line break, "Build: " + build.
    static QString aboutText();
};
