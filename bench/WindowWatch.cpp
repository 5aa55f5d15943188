// Waits until a top-level window whose title matches a pattern is on the X display, and prints
// the moment it appeared (CLOCK_REALTIME, nanoseconds): the start benchmarks take that moment from
// the display's own event rather than by asking now and then, which would blur it by the time one
// question takes. Prints "ready" first, once it listens.
//
//   window_watch PATTERN      PATTERN: an extended regular expression for the whole title
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <regex.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <utility>

namespace {

std::string Title(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const std::pair<Atom, Atom> names[] = {{netName, utf8}, {XA_WM_NAME, AnyPropertyType}};
    for (const auto& [property, type] : names) {
        Atom actualType = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long left = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &count,
                               &left, &data) == Success &&
            data != nullptr) {
            std::string title(reinterpret_cast<const char*>(data), count);
            XFree(data);
            if (!title.empty()) {
                return title;
            }
        }
    }
    return {};
}

long long Now() {
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

} // namespace

int main(int argc, char* argv[]) {
    regex_t pattern;
    if (argc != 2 || regcomp(&pattern, argv[1], REG_EXTENDED | REG_NOSUB) != 0) {
        std::fprintf(stderr, "usage: %s PATTERN\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "window_watch: no display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    const auto matches = [&](Window window) {
        return regexec(&pattern, Title(display, window).c_str(), 0, nullptr, 0) == 0;
    };
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        Window window = None;
        if (event.type == MapNotify) {
            window = event.xmap.window;
            // A window named once it is up is looked at again when it is.
            XSelectInput(display, window, PropertyChangeMask);
        } else if (event.type == PropertyNotify && event.xproperty.state == PropertyNewValue) {
            window = event.xproperty.window;
        }
        if (window != None && matches(window)) {
            std::printf("%lld\n", Now());
            break;
        }
    }
    XCloseDisplay(display);
    regfree(&pattern);
    return 0;
}
