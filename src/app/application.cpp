// The application's error box for failures of event handlers.
#include "app/application.h"

#include <cstdlib>
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

bool PreferWaylandPlatform() {
    if (std::getenv("QT_QPA_PLATFORM") || !std::getenv("WAYLAND_DISPLAY")) return false;
    return setenv("QT_QPA_PLATFORM", "wayland;xcb", 0) == 0;
}
