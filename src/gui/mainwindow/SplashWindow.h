#pragma once

#include <QWidget>

class AppContext;
class MainWindow;
class QTimer;

// The start window: opens the database, stays on screen four seconds, then shows the main
// window and closes.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PauseMsec = 4000;

    // The main window it shows works on `context`, whose connection it opens.
    explicit SplashWindow(AppContext &context, QWidget *parent = nullptr);

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
    AppContext &m_context;
    QTimer *m_pause = nullptr; // tmrPause: four seconds from showing
    bool m_checked = false;
};
