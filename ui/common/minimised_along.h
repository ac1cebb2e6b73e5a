// A window of the program that goes when the main window is minimised and comes back with it,
// as the system's own tool windows do, whatever the window manager does with owned windows.
#pragma once

#include <QObject>

class QWidget;

class MinimisedAlong : public QObject {
public:
    // Watches `main`'s state changes for `window`, both outliving this object.
    MinimisedAlong(QWidget& window, QWidget& main);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QWidget& main_;
    // Shown when the main window went: it comes back with it; a hidden one stays hidden.
    bool hiddenWithMain_ = false;
};
