// An editor-like X client: one window taking the close protocol (WM_DELETE_WINDOW), and a line
// on standard output for what reached it: "ready" once mapped, "close-request", "SIGTERM", and
// "quit" when it leaves by itself. `close_request_client answer|ignore NAME`: "answer" quits
// 300 ms after a close request (the user answering its question), "ignore" keeps running.
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

void say(const char* line)
{
    // Async-signal-safe, unbuffered: the order of the lines is the order of the events.
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, line, std::strlen(line));
}

void onTerm(int)
{
    say("SIGTERM\n");
    ::_exit(143);
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const bool answers = std::strcmp(argv[1], "answer") == 0;
    std::signal(SIGTERM, onTerm);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 120, 60, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(connection, "WM_DELETE_WINDOW");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);
    const std::uint32_t pid = std::uint32_t(::getpid());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_PID"),
                        XCB_ATOM_CARDINAL, 32, 1, &pid);
    char wmClass[256] = {};
    const std::size_t nameLength = std::min<std::size_t>(std::strlen(argv[2]), 120);
    std::memcpy(wmClass, argv[2], nameLength);
    std::memcpy(wmClass + nameLength + 1, "CloseRequestClient", 18);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, std::uint32_t(nameLength + 1 + 18 + 1), wmClass);
    xcb_map_window(connection, window);
    xcb_flush(connection);
    say("ready\n");
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool closeRequest =
            (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->type == protocols &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow;
        std::free(event);
        if (!closeRequest)
            continue;
        say("close-request\n");
        if (answers) {
            ::usleep(300 * 1000);
            say("quit\n");
            xcb_disconnect(connection);
            return 0;
        }
    }
    return 0;
}
