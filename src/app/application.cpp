// The application's error box for failures of event handlers.
#include "app/application.h"

#include <exception>

#include "infra/messages.h"

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Messages().Error(e.what());
    } catch (...) {
        Messages().Error("Unbekannter Fehler");
    }
    return false;
}
