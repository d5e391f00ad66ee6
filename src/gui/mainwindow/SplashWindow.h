#pragma once

#include <QWidget>

class QTimer;
class MainWindow;

// The start window: opens the database, stays on screen four seconds, then shows the main
// window and closes.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PauseMsec = 4000;

    explicit SplashWindow(QWidget *parent = nullptr);

    // Opens the database. On failure shows the fatal message and returns false: the program
    // ends without a main window.
    bool load();

    // After the pause: shows the main window and closes the start window.
    void performChecks();

Q_SIGNALS:
    void mainWindowShown(MainWindow *window);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QTimer *m_pause = nullptr; // tmrPause: four seconds from showing
    bool m_checked = false;
};
