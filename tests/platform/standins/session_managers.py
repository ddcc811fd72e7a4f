# Stand-in session managers on the session bus for the power-action tests (Debian python3-gi):
#   session_managers.py [--refuse] KIND...   KIND: gnome, kde-prompt, ksmserver, xfce
# Prints "READY" once every name is owned, then for each call (before answering it):
#   CALL <name> <path> <interface> <member> <arguments as GVariant text>
# With --refuse every call is answered with an error. Method signatures are enforced by Gio.
import sys
from gi.repository import Gio, GLib

KINDS = {
    "gnome": ("org.gnome.SessionManager", "/org/gnome/SessionManager", """
      <interface name="org.gnome.SessionManager"><method name="Logout"><arg type="u"/></method>
      <method name="Shutdown"/><method name="Reboot"/></interface>"""),
    "kde-prompt": ("org.kde.LogoutPrompt", "/LogoutPrompt", """
      <interface name="org.kde.LogoutPrompt"><method name="promptLogout"/>
      <method name="promptShutDown"/><method name="promptReboot"/></interface>"""),
    "ksmserver": ("org.kde.ksmserver", "/KSMServer", """
      <interface name="org.kde.KSMServerInterface"><method name="logout">
      <arg type="i"/><arg type="i"/><arg type="i"/></method></interface>"""),
    "xfce": ("org.xfce.SessionManager", "/org/xfce/SessionManager", """
      <interface name="org.xfce.Session.Manager">
      <method name="Logout"><arg type="b"/><arg type="b"/></method>
      <method name="Shutdown"><arg type="b"/></method>
      <method name="Restart"><arg type="b"/></method></interface>"""),
}
refuse = "--refuse" in sys.argv
kinds = [a for a in sys.argv[1:] if a != "--refuse"]
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
owned = []


def answer(name):
    def call(conn, sender, path, iface, member, params, invocation):
        print("CALL", name, path, iface, member, params.print_(True), flush=True)
        if refuse:
            invocation.return_dbus_error("org.freedesktop.DBus.Error.AccessDenied",
                                         "cancelled by the stand-in")
        else:
            invocation.return_value(None)
    return call


def acquired(conn, name):
    owned.append(name)
    if len(owned) == len(kinds):
        print("READY", flush=True)


for kind in kinds:
    name, path, xml = KINDS[kind]
    info = Gio.DBusNodeInfo.new_for_xml("<node>%s</node>" % xml).interfaces[0]
    bus.register_object(path, info, answer(name), None, None)
    Gio.bus_own_name_on_connection(bus, name, Gio.BusNameOwnerFlags.DO_NOT_QUEUE, acquired,
                                   lambda c, n: sys.exit("lost " + n))
GLib.MainLoop().run()
