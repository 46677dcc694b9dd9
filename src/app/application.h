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

// On a Wayland desktop the menu window runs natively, with X11 (XWayland) as
// the fallback; Qt alone would take X11 on some desktops. Call before the
// application object is made; true when it chose (an explicit QT_QPA_PLATFORM
// or -platform wins), and then the choice should be taken back once the
// application object exists, so that programs started from here choose for
// themselves.
bool PreferWaylandPlatform();
