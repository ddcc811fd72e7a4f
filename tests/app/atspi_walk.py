#!/usr/bin/python3
# Walks the panel of a real `corvella --show` through the accessibility bus as a screen reader
# does: the windows' titles, each tab by name, no nameless button or list cell (check boxes), in
# the panel and in the Trash and Downloads windows it opens; the end of the Downloads scan is heard
# as a name change, the way a screen reader hears an announcement.
# Usage: atspi_walk.py CORVELLA_BINARY. Exit 77 (skip) without pyatspi or the bus.
import os, shutil, subprocess, sys, tempfile, time

TABS = {"Applications", "Task Manager", "Cleanup", "Startup Items", "Disk Manager", "Quick Visit",
        "Hot Utilities"}
# Asks for the bus's owner without starting it: D-Bus would activate a launcher the env did not.
BUS = ("gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus "
       "--method org.freedesktop.DBus.NameHasOwner org.a11y.Bus")


def pump(seconds):  # sleeps while the events that arrive meanwhile are delivered
    context, end = GLib.MainContext.default(), time.monotonic() + seconds
    while time.monotonic() < end:
        context.iteration(False) or time.sleep(0.01)


def wait_for(what, probe, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if found := probe():
            return found
        pump(0.1)
    if what:  # else the caller decides
        sys.exit(f"FAIL: no {what} within {seconds} s")


def walk(node, parent=""):  # (role, name, where) of every node
    yield node.getRole(), node.name, f"{node.getRoleName()} in '{parent}'"
    for child in (node.getChildAtIndex(i) for i in range(min(node.childCount, 400))):
        yield from walk(child, node.name or parent) if child else ()


try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    sys.exit(print("SKIP: python3-pyatspi is not installed") or 77)
if "CORVELLA_TEST_ENV" not in os.environ or not wait_for("", lambda: "true" in subprocess.run(
        BUS.split(), capture_output=True, text=True).stdout or None, 5):
    sys.exit(print("SKIP: no accessibility bus (run in tests/env/desktop-test-env.sh)") or 77)
home = tempfile.mkdtemp(prefix="corvella-atspi-")
for folder, name, text in (("files", "notes ä.txt", "x"), ("info", "notes ä.txt.trashinfo",
        "[Trash Info]\nPath=/tmp/notes%20%C3%A4.txt\nDeletionDate=2026-01-02T03:04:05\n")):
    os.makedirs(f"{home}/data/Trash/{folder}", exist_ok=True)
    open(f"{home}/data/Trash/{folder}/{name}", "w").write(text)
os.makedirs(f"{home}/config/dl/big box")
open(f"{home}/config/dl/big box/setup.iso", "wb").write(b"x" * 4096)
open(f"{home}/config/user-dirs.dirs", "w").write(f'XDG_DOWNLOAD_DIR="{home}/config/dl"\n')
heard = []  # accessible names announced by the program (delivered while wait_for pumps)
app = subprocess.Popen([sys.argv[1], "--show"], env=dict(
    os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_RUNTIME_DIR=home,
    XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data"))
try:
    found = wait_for("corvella on the accessibility bus", lambda: next((
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == app.pid
        and a.childCount), None))
    CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX}

    def tree(title, ready):  # the window's nodes once ready; a node that went away: walk again
        try:
            nodes = list(walk(next(w for w in found if w and (
                title(w.name) if callable(title) else w.name == title))))
        except Exception:
            return None
        return nodes if ready(nodes) else None
    nodes = wait_for("tab named " + ", ".join(sorted(TABS)), lambda: tree("Corvella", lambda nodes:
        TABS <= {name for role, name, _ in nodes if role in CONTROLS}))
    # The Trash tile opens the Trash window: its title and its list row's check box need names.
    if tile := next(iter(pyatspi.findAllDescendants(found, lambda n: n.name == "Trash"
                                                    and n.getRole() in CONTROLS)), None):
        tile.queryAction().doAction(0)  # else the nameless tile fails below
        nodes += wait_for("Trash window listing notes ä.txt", lambda: tree("Trash", lambda nodes:
            any(name == "notes ä.txt" for _, name, _ in nodes)))
    # Clean Downloads opens the Downloads window and scans: its controls need names, and the
    # scan's end must be announced (a name change), not only shown.
    pyatspi.Registry.registerEventListener(lambda event: heard.append(event.source.name),
                                           "object:property-change:accessible-name")
    if tile := next(iter(pyatspi.findAllDescendants(found, lambda n: n.name == "Clean Downloads"
                                                    and n.getRole() in CONTROLS)), None):
        tile.queryAction().doAction(0)
        nodes += wait_for("space finder listing big box", lambda: tree(
            lambda title: "Space Finder" in title,  # after the folder's path
            lambda nodes: any(name == "big box" for _, name, _ in nodes)))
        wait_for("'Scan finished' announced", lambda: "Scan finished" in heard or None)
    titles = [window.name for window in found]  # the application's children are its windows
    unnamed = [where for role, name, where in nodes if not name.strip() and (
        role in CONTROLS or role == pyatspi.ROLE_TABLE_CELL)]  # a list's check box is a cell
    print(f"walked {len(nodes)} nodes; windows {titles}; unnamed: {unnamed}")
    sys.exit(0 if {"Corvella", "Trash"} <= set(titles) and all(titles) and not unnamed else 1)
finally:
    app.terminate()
    app.wait(10)
    shutil.rmtree(home, ignore_errors=True)
