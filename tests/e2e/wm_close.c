/* Asks a window to close the way a window manager's close box does: a
 * WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>

static xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return a;
}

int main(int argc, char* argv[]) {
    if (argc != 2) {
        fprintf(stderr, "usage: wm_close WINDOW-ID\n");
        return 2;
    }
    const xcb_window_t window = (xcb_window_t)strtoul(argv[1], NULL, 0);
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "wm_close: cannot connect to the X server\n");
        return 1;
    }
    xcb_client_message_event_t event;
    memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(c, "WM_PROTOCOLS");
    event.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_void_cookie_t sent =
        xcb_send_event_checked(c, 0, window, XCB_EVENT_MASK_NO_EVENT, (const char*)&event);
    xcb_generic_error_t* error = xcb_request_check(c, sent);
    xcb_disconnect(c);
    if (error) {
        fprintf(stderr, "wm_close: no such window %s\n", argv[1]);
        free(error);
        return 1;
    }
    return 0;
}
