"""The program's windows as a screen reader reads them: through the
accessibility bus (AT-SPI), for the tests that check what assistive tools see
and drive the program from outside.

Run with Debian's /usr/bin/python3 (it has pyatspi). One display and one bus
per test process:

    python3 a11y.py run -- PROGRAM ARGS...   # PROGRAM on a private bus

and in the program's tests (or a driving script started under that bus):

    import a11y
    app = a11y.wait_for_application(pid)
    dialog = a11y.wait_for(lambda: a11y.find(app, "dialog", "Sortavel Preferences"), "the dialog")
    a11y.find(dialog, "push button", "OK")
    print(a11y.dump(dialog))

Trap: an action done through the bus (doAction) that opens a modal window
stalls the program's answers until that window closes. Open windows with
real input instead: click() and press_key() send real pointer and key events.
"""
import os
import selectors
import signal
import subprocess
import sys
import time

DEFAULT_TIMEOUT = 10.0  # seconds for any single wait

# Roles of the objects a user operates or reads; each needs a name.
# (A label is its own text; an empty one says nothing and needs none.)
CONTROL_ROLES = {"push button", "toggle button", "check box", "radio button", "text", "entry",
                 "password text", "combo box", "list", "table", "tree table", "tree", "spin button",
                 "slider", "icon", "image", "page tab", "menu item", "menu"}


class PrivateBus:
    """A session bus and an accessibility bus of our own, stopped on exit."""

    def __init__(self, timeout=DEFAULT_TIMEOUT):
        self.timeout = timeout
        self.processes = []
        self.session_address = None
        self.a11y_address = None

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        daemon = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.session_address = _read_line(daemon.stdout, self.timeout, "the session bus address")
        env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.session_address)
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.a11y_address = wait_for(lambda: _ask_a11y_address(self.session_address),
                                     "the accessibility bus", self.timeout)

    def stop(self):
        # Only what we started, each by its own process group.
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
        self.processes = []

    def environment(self, base=None):
        """The environment for a program whose windows the bus should see."""
        env = dict(os.environ if base is None else base)
        env.pop("NO_AT_BRIDGE", None)
        env["DBUS_SESSION_BUS_ADDRESS"] = self.session_address
        env["AT_SPI_BUS_ADDRESS"] = self.a11y_address
        return env

    def use_here(self):
        """Points this process's own AT-SPI client at the bus (before any query)."""
        os.environ.update(self.environment())

    def _spawn(self, args, **kwargs):
        process = subprocess.Popen(args, start_new_session=True, stdin=subprocess.DEVNULL, **kwargs)
        self.processes.append(process)
        return process


def _read_line(stream, timeout, what):
    selector = selectors.DefaultSelector()
    selector.register(stream, selectors.EVENT_READ)
    if not selector.select(timeout):
        raise TimeoutError(f"timed out waiting for {what}")
    line = stream.readline().decode().strip()
    if not line:
        raise RuntimeError(f"no {what}")
    return line


def _ask_a11y_address(session_address):
    from gi.repository import Gio, GLib
    try:
        connection = Gio.DBusConnection.new_for_address_sync(
            session_address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)
        reply = connection.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                     GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 2000, None)
        connection.close_sync(None)
        return reply.unpack()[0] or None
    except GLib.Error:
        return None


def _atspi():
    import pyatspi
    return pyatspi


# --- Waiting -------------------------------------------------------------------

def wait_for(fn, what, timeout=DEFAULT_TIMEOUT, interval=0.1):
    """fn()'s first true value, asked until timeout; TimeoutError after it."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = fn()
        except Exception:  # an object that went away while asked
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out waiting for {what}")
        time.sleep(interval)


# --- Finding -------------------------------------------------------------------

def find_application(pid):
    """The desktop's accessible application of process pid, or None."""
    desktop = _atspi().Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def wait_for_application(pid, timeout=DEFAULT_TIMEOUT):
    return wait_for(lambda: find_application(pid), f"the application of process {pid}", timeout)


def role(acc):
    return acc.getRoleName()


def is_showing(acc):
    states = acc.getState()
    pyatspi = _atspi()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def descendants(root, showing_only=True):
    """Every object below root, depth first (hidden ones skipped with their children)."""
    for child in root:
        if child is None or (showing_only and not is_showing(child)):
            continue
        yield child
        yield from descendants(child, showing_only)


def find_all(root, role_name=None, name=None, showing_only=True):
    return [acc for acc in descendants(root, showing_only)
            if (role_name is None or role(acc) == role_name) and (name is None or acc.name == name)]


def find(root, role_name, name, showing_only=True):
    """The first object below root with that role and name, or None."""
    found = find_all(root, role_name, name, showing_only)
    return found[0] if found else None


def active_window(app):
    """The application's showing window that is active, or None."""
    pyatspi = _atspi()
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_ACTIVE):
            return window
    return None


def cell_text(table, row, column):
    """The text a screen reader reads in a table's cell (row -1: the column's
    heading), or None when the table has no such cell."""
    try:
        cells = table.queryTable()
        if not 0 <= column < cells.nColumns or not -1 <= row < cells.nRows:
            return None
        cell = cells.getColumnHeader(column) if row < 0 else cells.getAccessibleAt(row, column)
    except NotImplementedError:
        return None
    return cell.name if cell is not None else None


def dump(root, indent=0):
    """The tree below root as text: role, name, and the states that matter."""
    lines = []

    def walk(acc, depth):
        states = acc.getState()
        pyatspi = _atspi()
        marks = [mark for state, mark in ((pyatspi.STATE_SHOWING, "showing"), (pyatspi.STATE_FOCUSED, "focused"),
                                          (pyatspi.STATE_ENABLED, "enabled")) if states.contains(state)]
        lines.append(f"{'  ' * depth}{role(acc)} \"{acc.name}\" [{' '.join(marks)}]")
        for child in acc:
            if child is not None:
                walk(child, depth + 1)

    walk(root, indent)
    return "\n".join(lines)


# --- Real input ----------------------------------------------------------------

def click(acc):
    """A real left click in the middle of the object (no AT-SPI action)."""
    pyatspi = _atspi()
    extents = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(extents.x + extents.width // 2, extents.y + extents.height // 2, "b1c")


def press_key(keysym_name):
    """A real key press and release, named as X names keys ("Return", "Escape", "Tab")."""
    import gi
    gi.require_version("Gdk", "3.0")
    from gi.repository import Gdk
    pyatspi = _atspi()
    keyval = Gdk.keyval_from_name(keysym_name)
    pyatspi.Registry.generateKeyboardEvent(keyval, None, pyatspi.KEY_SYM)


def type_text(text):
    pyatspi = _atspi()
    pyatspi.Registry.generateKeyboardEvent(0, text, pyatspi.KEY_STRING)


# --- Running a program on a private bus ----------------------------------------

def _run(argv):
    if not argv or argv[0] != "run" or "--" not in argv:
        print("usage: a11y.py run -- PROGRAM [ARGS...]", file=sys.stderr)
        return 2
    command = argv[argv.index("--") + 1:]
    with PrivateBus() as bus:
        return subprocess.call(command, env=bus.environment())


if __name__ == "__main__":
    sys.exit(_run(sys.argv[1:]))
