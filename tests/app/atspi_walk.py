#!/usr/bin/python3
# Walks the panel of a real `corvella --show` through the accessibility bus as a screen reader
# does: the window's title, each tab by name, no nameless button or check box (list rows too).
# Usage: atspi_walk.py CORVELLA_BINARY. Exit 77 (skip) without pyatspi or the bus.
import os, shutil, subprocess, sys, tempfile, time

TABS = {"Applications", "Task Manager", "Cleanup", "Startup Items", "Disk Manager", "Quick Visit",
        "Hot Utilities"}
# Asks for the bus's owner without starting it: D-Bus would activate a launcher the test env did not.
BUS = ("gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus "
       "--method org.freedesktop.DBus.NameHasOwner org.a11y.Bus")


def wait_for(what, probe, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if found := probe():
            return found
        time.sleep(0.1)
    if what:  # else the caller decides
        sys.exit(f"FAIL: no {what} within {seconds} s")


def walk(node, parent=""):  # (role, name, where, whether a list row's check box) of every node
    yield (node.getRole(), node.name, f"{node.getRoleName()} in '{parent}'",
           node.getState().contains(pyatspi.STATE_CHECKABLE))
    for child in (node.getChildAtIndex(i) for i in range(min(node.childCount, 400))):
        yield from walk(child, node.name) if child else ()


try:
    import pyatspi
except ImportError:
    sys.exit(print("SKIP: python3-pyatspi is not installed") or 77)
if "CORVELLA_TEST_ENV" not in os.environ or not wait_for("", lambda: "true" in subprocess.run(
        BUS.split(), capture_output=True, text=True).stdout or None, 5):
    sys.exit(print("SKIP: no accessibility bus (run in tests/env/desktop-test-env.sh)") or 77)
home = tempfile.mkdtemp(prefix="corvella-atspi-")
app = subprocess.Popen([sys.argv[1], "--show"], env=dict(
    os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_RUNTIME_DIR=home,
    XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data"))
try:
    found = wait_for("corvella on the accessibility bus", lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == app.pid and a.childCount), None))
    CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX}

    def snapshot():  # the whole tree once every tab shows; a node that went away: walk again
        try:
            nodes = list(walk(found))
        except Exception:
            return None
        return nodes if TABS <= {name for role, name, _, _ in nodes if role in CONTROLS} else None
    nodes = wait_for("tab named " + ", ".join(sorted(TABS)), snapshot)
    titles = [window.name for window in found]  # the application's children are its windows
    unnamed = [where for role, name, where, box in nodes if not name.strip() and (
        role in CONTROLS or (role == pyatspi.ROLE_TABLE_CELL and box))]
    print(f"walked {len(nodes)} nodes; windows {titles}; unnamed: {unnamed}")
    sys.exit(0 if "Corvella" in titles and all(titles) and not unnamed else 1)
finally:
    app.terminate()
    app.wait(10)
    shutil.rmtree(home, ignore_errors=True)
