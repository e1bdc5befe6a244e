// Starts the real editor on an X display, finds its window, checks the
// caption and the fixed client size, asks it to close like a window manager
// would, and expects the process to end with status 0.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
const char* const kCaption = "MORLIX Ver.0.1b  - VORNユーザー波形エディタ -";

std::string WindowName(Display* d, Window w)
{
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &n, &after, &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
    }
    return name;
}

Window Find(Display* d, Window w)
{
    if (WindowName(d, w) == kCaption) return w;
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i) found = Find(d, children[i]);
        if (children) XFree(children);
    }
    return found;
}

int Fail(const char* what, pid_t child)
{
    std::fprintf(stderr, "FAIL: %s\n", what);
    if (child > 0) kill(child, SIGKILL);
    return 1;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return Fail("usage: x11_window_probe PATH-TO-MORLIX", 0);
    const pid_t child = fork();
    if (child == 0) {
        execl(argv[1], argv[1], static_cast<char*>(nullptr));
        _exit(127);
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return Fail("no X display", child);

    Window w = 0;
    XWindowAttributes attr {};
    for (int i = 0; i < 200; ++i) {  // up to 20 s for a cold start
        w = Find(d, DefaultRootWindow(d));
        if (w && XGetWindowAttributes(d, w, &attr) && attr.map_state == IsViewable) break;
        w = 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!w) return Fail("no window with the caption appeared", child);
    std::printf("window 0x%lx: %dx%d\n", w, attr.width, attr.height);
    if (attr.width != 536 || attr.height != 452) return Fail("client area is not 536 x 452", child);

    XSizeHints hints {};
    long supplied = 0;
    if (!XGetWMNormalHints(d, w, &hints, &supplied) || !(hints.flags & PMinSize) || !(hints.flags & PMaxSize) ||
        hints.min_width != 536 || hints.max_width != 536 || hints.min_height != 452 || hints.max_height != 452)
        return Fail("the window does not ask for a fixed size", child);

    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &ev);
    XFlush(d);

    for (int i = 0; i < 100; ++i) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            XCloseDisplay(d);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return Fail("the editor did not exit with 0", 0);
            std::printf("closed, exit status 0\n");
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return Fail("the editor did not end after the close request", child);
}
