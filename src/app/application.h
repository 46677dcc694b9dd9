// The application object: an error that escapes an event handler of the menu
// window ends in the application's error box instead of ending the program.
#pragma once

#include <QApplication>

class IMessages;

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv, IMessages& messages)
        : QApplication(argc, argv), messages_(messages) {}
    bool notify(QObject* receiver, QEvent* event) override;

private:
    IMessages& messages_;
};
