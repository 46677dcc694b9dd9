// The application object: an error that escapes an event handler of the menu
// window ends in the application's error box instead of ending the program.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
