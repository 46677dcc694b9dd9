// Ends the program on SIGTERM or SIGINT the way closing the menu window does:
// a running game screen closes through its closing protocol first, then the
// menu window closes (saving the settings and the game data) and the event
// loops end, also those of open message boxes and dialogs.
#pragma once

#include <QObject>
#include <QSocketNotifier>

class TForm1;
class TGameScreenHost;
class TTerminationSignals;

class TEndOnSignal : public QObject {
public:
    TEndOnSignal(TTerminationSignals& termination, TForm1& form, TGameScreenHost& gameScreens);

private:
    void Signalled();
    void End();

    TTerminationSignals& signals_;
    TForm1& form_;
    TGameScreenHost& gameScreens_;
    QSocketNotifier notifier_;
    bool ending_ = false;
};
