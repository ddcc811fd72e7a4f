#include "platform/x11/X11ClientWindows.h"

#include "platform/x11/XcbLibrary.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/uio.h>

namespace {

// xcb hands out replies and events to be freed with free().
template <typename T> std::unique_ptr<T, decltype(&std::free)> take(T* reply)
{
    return {reply, &std::free};
}

xcb_get_property_cookie_t askProperty(const XcbLibrary& xcb, xcb_connection_t* connection,
                                      xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                      std::uint32_t words)
{
    return xcb.xcb_get_property(connection, 0, window, property, type, 0, words);
}

QList<std::uint32_t> words32(const XcbLibrary& xcb, xcb_get_property_reply_t* reply)
{
    QList<std::uint32_t> items;
    if (!reply || reply->format != 32)
        return items;
    const auto* values = static_cast<const std::uint32_t*>(xcb.xcb_get_property_value(reply));
    const int count = xcb.xcb_get_property_value_length(reply) / 4;
    items.reserve(count);
    for (int index = 0; index < count; ++index)
        items.append(values[index]);
    return items;
}

QByteArray bytes8(const XcbLibrary& xcb, xcb_get_property_reply_t* reply)
{
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(xcb.xcb_get_property_value(reply)),
                      xcb.xcb_get_property_value_length(reply));
}

// The X-Resource extension's QueryClientIds, sent by hand: the extension's own xcb library is not
// among the build's dependencies, and this one request is all the list needs.
xcb_extension_t resourceExtension = {"X-Resource", 0};
constexpr std::uint8_t QueryClientIds = 4;
constexpr std::uint32_t LocalClientPidMask = 2;

} // namespace

X11ClientWindows::X11ClientWindows() : m_xcb(XcbLibrary::instance())
{
    if (!m_xcb.isLoaded())
        return;
    int screenNumber = 0;
    m_connection = m_xcb.xcb_connect(nullptr, &screenNumber);
    if (m_xcb.xcb_connection_has_error(m_connection))
        return;
    auto screens = m_xcb.xcb_setup_roots_iterator(m_xcb.xcb_get_setup(m_connection));
    for (int index = 0; index < screenNumber && screens.rem > 0; ++index)
        m_xcb.xcb_screen_next(&screens);
    if (screens.rem > 0)
        m_root = screens.data->root;
}

X11ClientWindows::~X11ClientWindows()
{
    if (m_connection)
        m_xcb.xcb_disconnect(m_connection);
}

QString X11ClientWindows::errorString() const
{
    return m_xcb.errorString();
}

bool X11ClientWindows::isConnected() const
{
    return m_connection && m_root != 0 && m_xcb.xcb_connection_has_error(m_connection) == 0;
}

std::uint32_t X11ClientWindows::atom(const char* name)
{
    const QByteArray key(name);
    if (const auto found = m_atoms.constFind(key); found != m_atoms.cend())
        return *found;
    const auto reply = take(m_xcb.xcb_intern_atom_reply(
        m_connection, m_xcb.xcb_intern_atom(m_connection, 0, std::uint16_t(key.size()), name),
        nullptr));
    const std::uint32_t value = reply ? reply->atom : 0;
    if (value != 0)
        m_atoms.insert(key, value);
    return value;
}

std::optional<QList<ClientWindow>> X11ClientWindows::clientWindows()
{
    if (!isConnected())
        return std::nullopt;
    const xcb_atom_t clientList = atom("_NET_CLIENT_LIST");
    const xcb_atom_t pidAtom = atom("_NET_WM_PID");
    const xcb_atom_t applicationIdAtom = atom("_GTK_APPLICATION_ID");
    const xcb_atom_t typeAtom = atom("_NET_WM_WINDOW_TYPE");
    const xcb_atom_t normalType = atom("_NET_WM_WINDOW_TYPE_NORMAL");
    const auto list = take(m_xcb.xcb_get_property_reply(
        m_connection, askProperty(m_xcb, m_connection, m_root, clientList, XCB_ATOM_WINDOW, 16384),
        nullptr));
    if (!list || list->type == XCB_ATOM_NONE)
        return std::nullopt;
    const QList<std::uint32_t> windows = words32(m_xcb, list.get());

    // Every request first, then every reply: one round trip for the whole list.
    struct Pending {
        xcb_get_property_cookie_t pid, wmClass, applicationId, type;
    };
    QList<Pending> pending;
    pending.reserve(windows.size());
    for (const std::uint32_t window : windows) {
        pending.append(
            {askProperty(m_xcb, m_connection, window, pidAtom, XCB_ATOM_CARDINAL, 1),
             askProperty(m_xcb, m_connection, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 64),
             askProperty(m_xcb, m_connection, window, applicationIdAtom, XCB_ATOM_ANY, 64),
             askProperty(m_xcb, m_connection, window, typeAtom, XCB_ATOM_ATOM, 16)});
    }
    QList<ClientWindow> clients;
    for (qsizetype index = 0; index < windows.size(); ++index) {
        const Pending& cookies = pending.at(index);
        const auto pid = take(m_xcb.xcb_get_property_reply(m_connection, cookies.pid, nullptr));
        const auto wmClass =
            take(m_xcb.xcb_get_property_reply(m_connection, cookies.wmClass, nullptr));
        const auto applicationId =
            take(m_xcb.xcb_get_property_reply(m_connection, cookies.applicationId, nullptr));
        const auto type = take(m_xcb.xcb_get_property_reply(m_connection, cookies.type, nullptr));
        const QList<std::uint32_t> types = words32(m_xcb, type.get());
        // Docks, menus, splash screens and the like are parts of an application, not one.
        if (!types.isEmpty() && !types.contains(normalType))
            continue;
        ClientWindow client;
        client.window = windows.at(index);
        const QList<std::uint32_t> pids = words32(m_xcb, pid.get());
        client.pid = pids.isEmpty() ? 0 : int(pids.first());
        const QList<QByteArray> names = bytes8(m_xcb, wmClass.get()).split('\0');
        client.instanceName = names.value(0);
        client.className = names.value(1);
        client.applicationId = bytes8(m_xcb, applicationId.get());
        clients.append(client);
    }
    // The server knows each local client's process from its socket. _NET_WM_PID is only what
    // the client says: a sandboxed program gives its identifier inside the sandbox, a remote one
    // that of another machine, and ending either would hit an unrelated local process.
    QList<std::uint32_t> shown;
    for (const ClientWindow& client : std::as_const(clients))
        shown.append(client.window);
    if (const auto serverPids = pidsFromResourceExtension(shown)) {
        const std::uint32_t baseMask = ~m_xcb.xcb_get_setup(m_connection)->resource_id_mask;
        for (ClientWindow& client : clients)
            client.pid = serverPids->value(client.window & baseMask, 0);
    }
    return clients;
}

std::optional<QHash<std::uint32_t, int>>
X11ClientWindows::pidsFromResourceExtension(const QList<std::uint32_t>& windows)
{
    const xcb_query_extension_reply_t* extension =
        m_xcb.xcb_get_extension_data(m_connection, &resourceExtension);
    if (!extension || !extension->present || windows.isEmpty())
        return std::nullopt;
    // QueryClientIds with one ClientIdSpec per window: its client, asking for the local process.
    QList<std::uint32_t> request{0, std::uint32_t(windows.size())};
    for (const std::uint32_t window : windows)
        request << window << LocalClientPidMask;
    iovec parts[3] = {{nullptr, 0},
                      {nullptr, 0},
                      {request.data(), std::size_t(request.size()) * sizeof(std::uint32_t)}};
    xcb_protocol_request_t protocol{1, &resourceExtension, QueryClientIds, 0};
    const unsigned int sequence =
        m_xcb.xcb_send_request(m_connection, XCB_REQUEST_CHECKED, parts + 2, &protocol);
    xcb_generic_error_t* error = nullptr;
    const auto reply =
        take(static_cast<std::uint8_t*>(m_xcb.xcb_wait_for_reply(m_connection, sequence, &error)));
    std::free(error);
    if (!reply)
        return std::nullopt;
    std::uint32_t length = 0;
    std::uint32_t count = 0;
    std::memcpy(&length, reply.get() + 4, 4);
    std::memcpy(&count, reply.get() + 8, 4);
    // Each id: the client's resource base, the mask, the value length in bytes, the values.
    QHash<std::uint32_t, int> pids;
    const std::size_t end = 32 + std::size_t(length) * 4;
    std::size_t offset = 32;
    for (std::uint32_t index = 0; index < count && offset + 12 <= end; ++index) {
        std::uint32_t header[3];
        std::memcpy(header, reply.get() + offset, 12);
        offset += 12;
        if (header[1] == LocalClientPidMask && header[2] >= 4 && offset + 4 <= end) {
            std::uint32_t pid = 0;
            std::memcpy(&pid, reply.get() + offset, 4);
            pids.insert(header[0], int(pid));
        }
        offset += header[2];
    }
    return pids;
}

int X11ClientWindows::changeDescriptor()
{
    if (!isConnected())
        return -1;
    if (!m_watching) {
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        m_xcb.xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        m_xcb.xcb_flush(m_connection);
        m_watching = true;
    }
    return m_xcb.xcb_get_file_descriptor(m_connection);
}

bool X11ClientWindows::takeClientListChange()
{
    if (!m_connection)
        return false;
    bool changed = false;
    const xcb_atom_t clientList = atom("_NET_CLIENT_LIST");
    while (const auto event = take(m_xcb.xcb_poll_for_event(m_connection))) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
            reinterpret_cast<xcb_property_notify_event_t*>(event.get())->atom == clientList)
            changed = true;
    }
    return changed;
}

QList<std::uint32_t> X11ClientWindows::atomsOf(std::uint32_t window, const char* property,
                                               std::uint32_t type)
{
    const auto reply = take(m_xcb.xcb_get_property_reply(
        m_connection, askProperty(m_xcb, m_connection, window, atom(property), type, 4096),
        nullptr));
    return words32(m_xcb, reply.get());
}

bool X11ClientWindows::managerSupports(std::uint32_t feature)
{
    const QList<std::uint32_t> check = atomsOf(m_root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    if (check.isEmpty() || atomsOf(check.first(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) !=
                               QList<std::uint32_t>{check.first()})
        return false;
    return atomsOf(m_root, "_NET_SUPPORTED", XCB_ATOM_ATOM).contains(feature);
}

ClientWindowSource::CloseRequest X11ClientWindows::requestClose(std::uint32_t window)
{
    if (!isConnected() || window == 0)
        return CloseRequest::None;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    CloseRequest way = CloseRequest::None;
    const xcb_atom_t closeWindow = atom("_NET_CLOSE_WINDOW");
    if (closeWindow != 0 && managerSupports(closeWindow)) {
        event.type = closeWindow;
        event.data.data32[0] = XCB_CURRENT_TIME;
        // Source 2: a pager or task list, which acts on the user's direct request.
        event.data.data32[1] = 2;
        m_xcb.xcb_send_event(m_connection, 0, m_root,
                             XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                             reinterpret_cast<const char*>(&event));
        way = CloseRequest::WindowManager;
    } else if (const xcb_atom_t deleteWindow = atom("WM_DELETE_WINDOW");
               deleteWindow != 0 &&
               atomsOf(window, "WM_PROTOCOLS", XCB_ATOM_ATOM).contains(deleteWindow)) {
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = deleteWindow;
        event.data.data32[1] = XCB_CURRENT_TIME;
        // No event mask: the event goes to the client that made the window.
        m_xcb.xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                             reinterpret_cast<const char*>(&event));
        way = CloseRequest::Protocol;
    }
    if (way == CloseRequest::None)
        return way;
    // A reply proves that the server has taken the request: a connection closed right after a
    // plain flush may lose what it sent last.
    atomsOf(m_root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    if (m_xcb.xcb_connection_has_error(m_connection))
        return CloseRequest::None;
    return way;
}
