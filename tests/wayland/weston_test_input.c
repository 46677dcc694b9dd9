/* A weston module for the Wayland tests: a seat with a pointer and a keyboard
 * on the headless backend (which has none), driven by lines read from the
 * FIFO named by VANTOREL_WESTON_INPUT:
 *   move X Y    the pointer to output position X, Y
 *   click       the left button pressed and released
 *   key CODE    a key (Linux input code, e.g. 67 for F9) pressed and released
 * Loaded with weston --modules=PATH/weston_test_input.so. */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <libweston/libweston.h>
#include <libweston/zalloc.h>
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-server-core.h>

/* Part of libweston's backend interface, which its development package does
 * not install a header for. */
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* ec, const char* seat_name);
int weston_seat_init_pointer(struct weston_seat* seat);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time, double x, double y);
void notify_button(struct weston_seat* seat, const struct timespec* time, int32_t button,
                   enum wl_pointer_button_state state);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update update_state);
void notify_pointer_frame(struct weston_seat* seat);

struct test_input {
    struct weston_seat seat;
    FILE* fifo;
};

static void run_line(struct test_input* in, const char* line) {
    struct timespec now;
    double x, y;
    unsigned code;

    weston_compositor_get_time(&now);
    if (sscanf(line, "move %lf %lf", &x, &y) == 2) {
        notify_motion_absolute(&in->seat, &now, x, y);
        notify_pointer_frame(&in->seat);
    } else if (strcmp(line, "click") == 0) {
        notify_button(&in->seat, &now, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
        notify_pointer_frame(&in->seat);
        notify_button(&in->seat, &now, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        notify_pointer_frame(&in->seat);
    } else if (sscanf(line, "key %u", &code) == 1) {
        notify_key(&in->seat, &now, code, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
        notify_key(&in->seat, &now, code, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
    } else {
        fprintf(stderr, "weston_test_input: cannot read '%s'\n", line);
    }
}

/* The tests write whole lines at once (shorter than a pipe's atomic write). */
static int on_readable(int fd, uint32_t mask, void* data) {
    struct test_input* in = data;
    char line[256];
    (void)fd;
    (void)mask;
    while (fgets(line, sizeof line, in->fifo)) {
        line[strcspn(line, "\n")] = '\0';
        run_line(in, line);
    }
    clearerr(in->fifo); /* no more for now */
    return 0;
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]) {
    const char* path = getenv("VANTOREL_WESTON_INPUT");
    struct test_input* in;
    (void)argc;
    (void)argv;
    if (!path) {
        fprintf(stderr, "weston_test_input: VANTOREL_WESTON_INPUT is not set\n");
        return -1;
    }
    in = zalloc(sizeof *in);
    if (!in) return -1;
    /* Opened for writing too, so that a writer closing it is no end of file. */
    const int fd = open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    in->fifo = fd < 0 ? NULL : fdopen(fd, "r");
    if (!in->fifo) {
        perror("weston_test_input");
        free(in);
        return -1;
    }
    weston_seat_init(&in->seat, compositor, "default");
    weston_seat_init_pointer(&in->seat);
    weston_seat_init_keyboard(&in->seat, NULL);
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), fd, WL_EVENT_READABLE,
                         on_readable, in);
    return 0;
}
