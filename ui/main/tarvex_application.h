// The application object. Qt's event loop must never see an exception: every event passes
// through notify(), which shows any exception in the standard error box and goes on.
#pragma once

#include <QApplication>

class TarvexApplication : public QApplication {
    Q_OBJECT
public:
    TarvexApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
