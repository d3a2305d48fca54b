// A small X11 client for the end-to-end tests: finds Quom's window by its title and
// does to it what a user would (close it with the close box, press keys, click).
//
//   quom_xctl wait  TITLE SECONDS   wait until a window whose title starts with TITLE
//                                   is shown; print its full title
//   quom_xctl title TITLE           print the full title of that window
//   quom_xctl geometry TITLE        print its position on the screen and size: X Y W H
//   quom_xctl close TITLE           ask it to close, as its close box does
//   quom_xctl key   TITLE KEYSYM    focus it and press and release a key (e.g. space)
//   quom_xctl click TITLE X Y       focus it and click at window pixel X, Y
//   quom_xctl controls TITLE        print the screen rectangle of the window and of each
//                                   shown window inside it, one X Y W H a line (every
//                                   control is one when Qt runs with native windows)
//   quom_xctl workarea X Y W H      tell clients the desktop leaves them that rectangle,
//                                   as a window manager does beside its panels
//
// Exit status 0 on success, 1 when no such window is found, 2 on a usage error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

namespace {

std::string titleOf(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(
            display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
            == Success
        && data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

// Depth-first search below root for a viewable window whose title starts with prefix.
std::optional<Window> findWindow(Display* display, Window parent, const std::string& prefix)
{
    Window root = 0, ignored = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (titleOf(display, children[i]).rfind(prefix, 0) == 0)
            found = children[i];
        else
            found = findWindow(display, children[i], prefix);
    }
    if (children)
        XFree(children);
    return found;
}

void focus(Display* display, Window window)
{
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void pointAt(Display* display, Window window, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
}

// Prints window and every viewable window below it as X Y W H on the screen.
void printControls(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    std::printf("%d %d %d %d\n", x, y, attributes.width, attributes.height);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i)
        printControls(display, children[i]);
    if (children)
        XFree(children);
}

void setWorkArea(Display* display, char** rectangle)
{
    long area[4];
    for (int i = 0; i < 4; ++i)
        area[i] = std::atol(rectangle[i]);
    XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_WORKAREA", False),
        XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(area), 4);
}

int usage()
{
    std::fprintf(stderr,
        "usage: quom_xctl wait|title|geometry|close|key|click|controls TITLE [ARGS]\n"
        "       quom_xctl workarea X Y W H\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    const std::string prefix = argv[2];

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "quom_xctl: cannot open the display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    if (command == "workarea") {
        if (argc != 6)
            return usage();
        setWorkArea(display, argv + 2);
        XSync(display, False);
        XCloseDisplay(display);
        return 0;
    }

    std::optional<Window> window = findWindow(display, root, prefix);
    if (command == "wait") {
        if (argc != 4)
            return usage();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
        while (!window && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            window = findWindow(display, root, prefix);
        }
    }
    if (!window) {
        std::fprintf(stderr, "quom_xctl: no window titled '%s...'\n", prefix.c_str());
        XCloseDisplay(display);
        return 1;
    }

    int status = 0;
    if (command == "wait" || command == "title") {
        std::printf("%s\n", titleOf(display, *window).c_str());
    } else if (command == "geometry" && argc == 3) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, *window, &attributes);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, *window, root, 0, 0, &x, &y, &child);
        std::printf("%d %d %d %d\n", x, y, attributes.width, attributes.height);
    } else if (command == "controls" && argc == 3) {
        printControls(display, *window);
    } else if (command == "close" && argc == 3) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = *window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, *window, False, NoEventMask, &event);
    } else if (command == "key" && argc == 4) {
        const KeySym keysym = XStringToKeysym(argv[3]);
        const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
        if (!code) {
            std::fprintf(stderr, "quom_xctl: unknown key '%s'\n", argv[3]);
            status = 2;
        } else {
            focus(display, *window);
            XTestFakeKeyEvent(display, code, True, CurrentTime);
            XTestFakeKeyEvent(display, code, False, CurrentTime);
        }
    } else if (command == "click" && argc == 5) {
        focus(display, *window);
        pointAt(display, *window, std::atoi(argv[3]), std::atoi(argv[4]));
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
    } else {
        status = usage();
    }
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}
