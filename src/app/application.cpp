// The application's error box for failures of event handlers.
#include "app/application.h"

#include <exception>

#include "infra/messages.h"

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        messages_.Error(e.what());
    } catch (...) {
        messages_.Error("Unbekannter Fehler");
    }
    return false;
}
