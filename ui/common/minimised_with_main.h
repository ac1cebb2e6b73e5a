// A window of the program's that goes with the main window when it is minimised, as the window
// system doesn't take every window along (X11 window managers leave a window of its own): hidden
// with it, and shown again when it comes back, if it was shown.
#pragma once

#include <QObject>

class QWidget;

class MinimisedWithMain : public QObject {
public:
    // Watches `main` for `window`, whose child it becomes.
    MinimisedWithMain(QWidget& window, QWidget& main);
    // The window was shown meanwhile: nothing to show again.
    void Forget() { hidden_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QWidget& main_;
    bool hidden_ = false; // hidden because the main window was minimised
};
