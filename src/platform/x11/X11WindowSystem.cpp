#include "platform/x11/X11WindowSystem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

Q_LOGGING_CATEGORY(lcWindowSystem, "corvella.windowsystem")

constexpr std::uint32_t IconicState = 3; // ICCCM 4.1.3.1
constexpr std::uint32_t AnyPropertyType = 0;

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

} // namespace

X11WindowSystem::X11WindowSystem(xcb_connection_t* connection) : m_connection(connection) {}

std::unique_ptr<X11WindowSystem> X11WindowSystem::fromApplication()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return std::make_unique<X11WindowSystem>(x11->connection());
}

X11WindowSystem::XAtom X11WindowSystem::atom(const char* name) const
{
    const QByteArray key(name);
    if (const auto found = m_atoms.constFind(key); found != m_atoms.constEnd())
        return found.value();
    const auto cookie =
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(key.size()), key.constData());
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    if (!reply)
        return XCB_ATOM_NONE; // not cached: the next call tries again
    m_atoms.insert(key, reply->atom);
    return reply->atom;
}

QList<std::uint32_t> X11WindowSystem::property32(XWindow window, XAtom property, XAtom type) const
{
    if (window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return {};
    // Checked: a window that vanished meanwhile answers BadWindow here, not in Qt's event queue.
    const auto cookie = xcb_get_property(m_connection, 0, window, property, type, 0, 4096);
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection, cookie, &error));
    std::free(error);
    if (!reply || reply->format != 32)
        return {};
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    QList<std::uint32_t> values(count);
    std::memcpy(values.data(), xcb_get_property_value(reply.get()), std::size_t(count) * 4);
    return values;
}

X11WindowSystem::XWindow X11WindowSystem::rootWindow(WId near) const
{
    if (near != 0) {
        const auto cookie = xcb_query_tree(m_connection, static_cast<XWindow>(near));
        xcb_generic_error_t* error = nullptr;
        XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_connection, cookie, &error));
        std::free(error);
        if (tree)
            return tree->root;
    }
    const auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    return screens.rem > 0 ? screens.data->root : XWindow(XCB_WINDOW_NONE);
}

bool X11WindowSystem::windowManagerRunning(XWindow root) const
{
    // EWMH: the manager keeps a child window that names itself in _NET_SUPPORTING_WM_CHECK.
    const XAtom check = atom("_NET_SUPPORTING_WM_CHECK");
    const auto child = property32(root, check, XCB_ATOM_WINDOW);
    if (!child.isEmpty() && property32(child.first(), check, XCB_ATOM_WINDOW) == child)
        return true;

    // ICCCM 2.0: the manager of screen n owns the selection WM_Sn.
    int screenNumber = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem > 0;
         xcb_screen_next(&it), ++screenNumber) {
        if (it.data->root == root)
            break;
    }
    const QByteArray selection = "WM_S" + QByteArray::number(screenNumber);
    const auto cookie = xcb_get_selection_owner(m_connection, atom(selection.constData()));
    XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(m_connection, cookie, nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

QString X11WindowSystem::reasonUnavailable(XWindow root) const
{
    if (xcb_connection_has_error(m_connection))
        return QCoreApplication::translate("X11WindowSystem",
                                           "The connection to the X server is broken.");
    if (root == XCB_WINDOW_NONE)
        return QCoreApplication::translate("X11WindowSystem", "The X server reports no screen.");
    if (!windowManagerRunning(root))
        return QCoreApplication::translate(
            "X11WindowSystem",
            "No window manager is running, so the other windows cannot be minimised.");
    return {};
}

bool X11WindowSystem::canHideOtherApplications() const
{
    return reasonUnavailable(rootWindow(0)).isEmpty();
}

QString X11WindowSystem::unavailableReason() const
{
    return reasonUnavailable(rootWindow(0));
}

X11WindowSystem::XWindow X11WindowSystem::clientBelow(XWindow window, int depth) const
{
    // A reparenting manager puts each client inside a frame; the client carries WM_STATE.
    if (!property32(window, atom("WM_STATE"), AnyPropertyType).isEmpty())
        return window;
    if (depth == 0)
        return XCB_WINDOW_NONE;
    const auto cookie = xcb_query_tree(m_connection, window);
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_connection, cookie, &error));
    std::free(error);
    if (!tree)
        return XCB_WINDOW_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (const XWindow client = clientBelow(children[i], depth - 1))
            return client;
    }
    return XCB_WINDOW_NONE;
}

QList<X11WindowSystem::XWindow> X11WindowSystem::clientWindows(XWindow root) const
{
    const auto managed = property32(root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    if (!managed.isEmpty())
        return managed;

    // A manager without EWMH: walk the top-level windows and their frames.
    QList<XWindow> clients;
    const auto cookie = xcb_query_tree(m_connection, root);
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_connection, cookie, nullptr));
    if (!tree)
        return clients;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (const XWindow client = clientBelow(children[i], 2))
            clients.append(client);
    }
    return clients;
}

bool X11WindowSystem::belongsToThisProcess(XWindow window, WId ownWindowToKeep) const
{
    if (window == ownWindowToKeep)
        return true;
    // Every window this connection created has an id from its own resource range.
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    if ((window & ~setup->resource_id_mask) == setup->resource_id_base)
        return true;
    const auto pid = property32(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
    return !pid.isEmpty() && qint64(pid.first()) == QCoreApplication::applicationPid();
}

bool X11WindowSystem::shouldStayVisible(XWindow window) const
{
    const auto state = property32(window, atom("WM_STATE"), AnyPropertyType);
    if (!state.isEmpty() && state.first() == IconicState)
        return true; // already minimised
    const auto types = property32(window, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM);
    return types.contains(atom("_NET_WM_WINDOW_TYPE_DOCK")) ||
           types.contains(atom("_NET_WM_WINDOW_TYPE_DESKTOP"));
}

QString X11WindowSystem::hideOtherApplications(WId ownWindowToKeep)
{
    const XWindow root = rootWindow(ownWindowToKeep);
    if (const QString reason = reasonUnavailable(root); !reason.isEmpty())
        return reason;

    // ICCCM 4.1.4: a client asks for iconification with WM_CHANGE_STATE to the root. EWMH leaves
    // _NET_WM_STATE_HIDDEN to the manager, so that state is not requested directly.
    const XAtom changeState = atom("WM_CHANGE_STATE");
    int asked = 0;
    int refused = 0;
    std::uint8_t lastError = 0;
    for (const XWindow window : clientWindows(root)) {
        if (belongsToThisProcess(window, ownWindowToKeep) || shouldStayVisible(window))
            continue;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = changeState;
        message.data.data32[0] = IconicState;
        const auto cookie = xcb_send_event_checked(m_connection, 0, root,
                                                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                                                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                                                   reinterpret_cast<const char*>(&message));
        ++asked;
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            ++refused;
            lastError = error->error_code;
            std::free(error);
        }
    }
    qCDebug(lcWindowSystem) << "asked the window manager to minimise" << asked << "windows";
    if (refused > 0) {
        return QCoreApplication::translate(
                   "X11WindowSystem",
                   "The X server refused to minimise %1 of %2 windows (X error %3).")
            .arg(refused)
            .arg(asked)
            .arg(lastError);
    }
    return {};
}

bool X11WindowSystem::setBlurBehind(QWindow* window, bool enabled)
{
    if (!window)
        return false;
    const auto id = static_cast<XWindow>(window->winId());
    // KWin's protocol (also honoured by picom): a CARDINAL[] list of rectangles; none means the
    // whole window.
    const XAtom region = atom("_KDE_NET_WM_BLUR_BEHIND_REGION");
    if (region == XCB_ATOM_NONE)
        return false;
    const auto cookie = enabled
                            ? xcb_change_property_checked(m_connection, XCB_PROP_MODE_REPLACE, id,
                                                          region, XCB_ATOM_CARDINAL, 32, 0, nullptr)
                            : xcb_delete_property_checked(m_connection, id, region);
    if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
        qCWarning(lcWindowSystem) << "could not change the blur request of window" << id
                                  << "X error" << error->error_code;
        std::free(error);
        return false;
    }
    return true;
}

bool X11WindowSystem::nativeWindowExists(WId id) const
{
    if (id == 0)
        return false;
    // Checked: BadWindow comes back here instead of landing in Qt's event queue.
    const auto cookie = xcb_get_window_attributes(m_connection, static_cast<XWindow>(id));
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(m_connection, cookie, &error));
    const bool gone = error && error->error_code == XCB_WINDOW;
    std::free(error);
    return !gone;
}

bool X11WindowSystem::activateForStartup(QWindow* window, const QByteArray& startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    bool isNumber = false;
    const std::uint32_t time = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&isNumber);
    if (!window || !isNumber)
        return false;
    const auto xWindow = static_cast<XWindow>(window->winId());
    const XWindow root = rootWindow(window->winId());
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, xWindow, atom("_NET_STARTUP_ID"),
                        atom("UTF8_STRING"), 8, std::uint32_t(startupId.size()),
                        startupId.constData());
    // EWMH _NET_ACTIVE_WINDOW from an application (source 1), at the time of the click.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xWindow;
    message.type = atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 1;
    message.data.data32[1] = time;
    xcb_send_event(m_connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    QByteArray quoted = startupId;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    sendStartupMessage(xWindow, root, "remove: ID=\"" + quoted + '"');
    xcb_flush(m_connection);
    return true;
}

void X11WindowSystem::sendStartupMessage(XWindow window, XWindow root,
                                         const QByteArray& message) const
{
    const QByteArray whole = message + '\0';
    for (qsizetype offset = 0; offset < whole.size(); offset += 20) {
        xcb_client_message_event_t piece{};
        piece.response_type = XCB_CLIENT_MESSAGE;
        piece.format = 8;
        piece.window = window;
        piece.type = atom(offset == 0 ? "_NET_STARTUP_INFO_BEGIN" : "_NET_STARTUP_INFO");
        std::memcpy(piece.data.data8, whole.constData() + offset,
                    std::size_t(std::min<qsizetype>(20, whole.size() - offset)));
        xcb_send_event(m_connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&piece));
    }
}
