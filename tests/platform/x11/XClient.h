#pragma once

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

// A connection of the test's own that reads back what the code wrote and can stand in for a
// window manager. Its root properties are removed again; windows and selections die with it.
class XClient {
public:
    XClient() : m_connection(xcb_connect(nullptr, &m_screenNumber))
    {
        auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < m_screenNumber && screens.rem > 0; ++i)
            xcb_screen_next(&screens);
        m_root = screens.rem > 0 ? screens.data->root : xcb_window_t(XCB_WINDOW_NONE);
    }
    ~XClient()
    {
        for (const xcb_atom_t property : std::as_const(m_rootProperties))
            xcb_delete_property(m_connection, m_root, property);
        sync();
        xcb_disconnect(m_connection);
    }
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool isConnected() const { return xcb_connection_has_error(m_connection) == 0; }
    xcb_window_t root() const { return m_root; }

    xcb_atom_t atom(const char* name)
    {
        const auto reply = take(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, std::uint16_t(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The 32-bit items of a property; none when it is missing.
    QList<std::uint32_t> property(xcb_window_t window, const char* name)
    {
        const auto reply = take(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, atom(name), XCB_ATOM_ANY, 0, 1024), nullptr));
        if (!reply || reply->format != 32)
            return {};
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        return QList<std::uint32_t>(values,
                                    values + xcb_get_property_value_length(reply.get()) / 4);
    }

    void setProperty32(xcb_window_t window, const char* name, xcb_atom_t type,
                       const QList<std::uint32_t>& items)
    {
        const xcb_atom_t property = atom(name);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                            std::uint32_t(items.size()), items.constData());
        if (window == m_root)
            m_rootProperties.append(property);
        sync();
    }

    xcb_window_t createWindow()
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        sync();
        return window;
    }

    // The window manager's client (from _NET_CLIENT_LIST) or else the top-level window whose
    // WM_CLASS instance is `instance`, or none.
    xcb_window_t find(const QByteArray& instance)
    {
        QList<xcb_window_t> windows = property(m_root, "_NET_CLIENT_LIST");
        const auto tree =
            take(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
        if (const xcb_window_t* children = tree ? xcb_query_tree_children(tree.get()) : nullptr)
            windows.append(QList<xcb_window_t>(children, children + tree->children_len));
        for (const xcb_window_t window : std::as_const(windows)) {
            const auto name = take(
                xcb_get_property_reply(m_connection,
                                       xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_CLASS,
                                                        XCB_ATOM_STRING, 0, 64),
                                       nullptr));
            if (name && static_cast<const char*>(xcb_get_property_value(name.get())) == instance)
                return window;
        }
        return XCB_WINDOW_NONE;
    }

    std::uint8_t mapState(xcb_window_t window)
    {
        const auto reply = take(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return reply ? reply->map_state : std::uint8_t(XCB_MAP_STATE_UNMAPPED);
    }

    // Takes the window manager's place on the root window; false when a manager holds it.
    bool redirectRootWindow()
    {
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
        return !take(xcb_request_check(
            m_connection,
            xcb_change_window_attributes_checked(m_connection, m_root, XCB_CW_EVENT_MASK, &mask)));
    }

    // After a round trip to the server, the window of each client message that reached this
    // connection, sorted; none for a message that does not ask to iconify it (ICCCM).
    QList<xcb_window_t> iconifyRequests()
    {
        const xcb_atom_t changeState = atom("WM_CHANGE_STATE"); // its reply is the round trip
        QList<xcb_window_t> windows;
        while (const auto event = take(xcb_poll_for_event(m_connection))) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event.get());
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE)
                windows.append(message->type == changeState && message->format == 32 &&
                                       message->data.data32[0] == 3 /* IconicState */
                                   ? message->window
                                   : xcb_window_t(XCB_WINDOW_NONE));
        }
        std::sort(windows.begin(), windows.end());
        return windows;
    }

private:
    // xcb hands out replies, errors and events to be freed with free().
    template <typename T> static std::unique_ptr<T, decltype(&std::free)> take(T* reply)
    {
        return {reply, &std::free};
    }
    void sync()
    {
        take(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    int m_screenNumber = 0;
    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    QList<xcb_atom_t> m_rootProperties;
};
