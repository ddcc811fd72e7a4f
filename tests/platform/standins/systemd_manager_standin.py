# A stand-in for the user's service manager (org.freedesktop.systemd1.Manager) on the session bus
# of the test environment (Debian python3-gi). Each StartTransientUnit call is printed as one
# JSON line on standard output; "READY" is printed once the name is owned.
import json
import sys

from gi.repository import Gio, GLib

XML = """<node><interface name="org.freedesktop.systemd1.Manager">
 <method name="StartTransientUnit">
  <arg name="name" type="s" direction="in"/><arg name="mode" type="s" direction="in"/>
  <arg name="properties" type="a(sv)" direction="in"/>
  <arg name="aux" type="a(sa(sv))" direction="in"/>
  <arg name="job" type="o" direction="out"/>
 </method></interface></node>"""
calls = 0


def call(connection, sender, path, interface, method, parameters, invocation):
    global calls
    name, mode, properties, aux = parameters.unpack()
    calls += 1
    print(json.dumps({"name": name, "mode": mode, "properties": dict(properties),
                      "aux": aux, "signature": parameters.get_type_string()}), flush=True)
    invocation.return_value(GLib.Variant("(o)", ("/org/freedesktop/systemd1/job/%d" % calls,)))


def acquired(connection, name):
    print("READY", flush=True)


def registered(connection, name):
    info = Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0]
    connection.register_object("/org/freedesktop/systemd1", info, call, None, None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.systemd1", 0, registered, acquired,
                 lambda connection, name: sys.exit("lost the name"))
GLib.MainLoop().run()
