// A short look at the Wayland compositor: connect, list its globals, leave.
#include "wayland_probe.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void OnGlobal(void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
    if (std::strcmp(interface, "wl_seat") == 0) *static_cast<bool*>(data) = true;
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

}  // namespace

bool WaylandCompositorUsable() {
    // A socket handed down by the compositor serves one connection only: it
    // is left to SDL.
    if (std::getenv("WAYLAND_SOCKET")) return true;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return false;
    bool seat = false;
    static const wl_registry_listener listener = {OnGlobal, OnGlobalRemove};
    wl_registry* registry = wl_display_get_registry(display);
    if (registry) {
        wl_registry_add_listener(registry, &listener, &seat);
        wl_display_roundtrip(display);
        wl_registry_destroy(registry);
    }
    wl_display_disconnect(display);
    return seat;
}
