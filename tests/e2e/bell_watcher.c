/* Prints "bell" on standard output for each bell the X server rings, as XKB
 * reports it to every client that asks (BellNotify); "ready" once it listens. */
#include <X11/XKBlib.h>
#include <stdio.h>

int main(void) {
    int reason, event, error, major = XkbMajorVersion, minor = XkbMinorVersion;
    Display* display = XkbOpenDisplay(NULL, &event, &error, &major, &minor, &reason);
    if (!display)
        return reason;
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    setvbuf(stdout, NULL, _IOLBF, 0);
    puts("ready");
    for (;;) {
        XkbEvent got;
        XNextEvent(display, &got.core);
        if (got.type == event && got.any.xkb_type == XkbBellNotify)
            puts("bell");
    }
}
