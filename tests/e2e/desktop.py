"""A private desktop for driving the built program from outside, as a user or
an assistive tool does: a virtual display, a session bus and an accessibility
bus of its own, real key and pointer events (xdotool), the accessibility tree
for finding and reading windows (tests/gui/a11y.py), and numbered
screenshots of every step.

    with Desktop(out_dir) as desk:
        desk.start([program, "/LOG", path])
        about = desk.wait_window("About the Sortavel Manager")
        desk.shot("about")
        desk.click(desk.find(about, "push button", "OK"))
        desk.wait_exit()

Every wait is bounded; a timeout raises with what was awaited.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gui"))
import a11y  # noqa: E402

WAIT = 15.0  # seconds for any single wait
SCREEN = "1280x1024x24"
# What the toolkit prints when a window is wrong; any of it fails the session.
TOOLKIT_TROUBLE = re.compile(r"-(WARNING|CRITICAL) \*\*|assert .* failed")
# Roles of the program's own top-level windows.
WINDOW_ROLES = {"dialog", "frame", "alert", "file chooser", "window"}


class _Launched:
    """A program started by a launcher, waited for like one we started."""

    def __init__(self, pid):
        self.pid = pid
        self.returncode = None

    def poll(self):
        if self.returncode is None:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.returncode = os.waitstatus_to_exitcode(status)
        return self.returncode

    def wait(self, timeout):
        deadline = time.monotonic() + timeout
        while self.poll() is None:
            if time.monotonic() > deadline:
                raise subprocess.TimeoutExpired("launched program", timeout)
            time.sleep(0.1)
        return self.returncode


class Desktop:
    def __init__(self, out_dir):
        self.out_dir = out_dir
        self.step = 0
        self.scratch = tempfile.mkdtemp(prefix="sortavel-e2e-")
        self.home = os.path.join(self.scratch, "home")
        self.config = os.path.join(self.home, ".config")
        os.makedirs(self.config)
        self.xvfb = None
        self.display = None
        self.bus = None
        self.program = None
        self.log_path = os.path.join(self.scratch, "program.err")
        self._gdk = None

    # --- Life -------------------------------------------------------------------

    def private_dirs(self):
        """Where the toolkit keeps what it knows of the user (recently used
        files, caches, state): inside this desktop's home, never the real one."""
        return {"XDG_CONFIG_HOME": self.config, "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
                "XDG_STATE_HOME": os.path.join(self.home, ".local", "state"),
                "XDG_CACHE_HOME": os.path.join(self.home, ".cache")}

    def __enter__(self):
        # The driver, its buses and the program all write into the private home.
        os.environ.update(self.private_dirs())
        try:
            self._start_display()
            self.bus = a11y.PrivateBus(timeout=WAIT)
            self.bus.start()
            self.bus.use_here()
        except BaseException:
            self.close()
            raise
        shutil.rmtree(self.out_dir, ignore_errors=True)
        os.makedirs(self.out_dir)
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.program is not None and self.program.poll() is None:
            self._stop(self.program)
        if self.bus is not None:
            self.bus.stop()
        if self.xvfb is not None:
            self._stop(self.xvfb)
        shutil.rmtree(self.scratch, ignore_errors=True)

    @staticmethod
    def _stop(process):
        if isinstance(process, _Launched):
            os.kill(process.pid, signal.SIGKILL)
            process.wait(5)
            return
        try:
            os.killpg(process.pid, signal.SIGTERM)
            process.wait(timeout=5)
        except ProcessLookupError:
            pass
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()

    def _start_display(self):
        read_end, write_end = os.pipe()
        with open(os.path.join(self.scratch, "xvfb.err"), "w") as log:
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
                                          "-nolisten", "tcp"], pass_fds=(write_end,), start_new_session=True,
                                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=log)
        os.close(write_end)
        with os.fdopen(read_end) as stream:
            number = a11y._read_line(stream.buffer, WAIT, "the virtual display")
        self.display = f":{number}"
        os.environ["DISPLAY"] = self.display
        os.environ.pop("WAYLAND_DISPLAY", None)

    def environment(self, **extra):
        """What the program is started with: this desktop, a home of its own."""
        env = self.bus.environment()
        for name in ("WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "SESSION_MANAGER"):
            env.pop(name, None)
        env.update(self.private_dirs())
        env.update(DISPLAY=self.display, HOME=self.home, GDK_BACKEND="x11", LC_ALL="C.UTF-8")
        env.update(extra)
        return env

    def start(self, argv, cwd=None, env=None):
        """Starts the program (argv[0] and its arguments) and waits for its accessible application."""
        for attempt in (1, 2):
            with open(self.log_path, "a") as log:
                log.flush()
                start = log.tell()
                self.program = subprocess.Popen(argv, cwd=cwd or self.scratch, env=env or self.environment(),
                                                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                                start_new_session=True)
            try:
                self.app = a11y.wait_for_application(self.program.pid, WAIT)
                return self.app
            except TimeoutError:
                # Now and then the toolkit of a program started on a fresh
                # virtual display cannot open it and the program ends at once
                # ("needs a display"); that start is made once more, and said.
                with open(self.log_path) as log:
                    log.seek(start)
                    said = log.read()
                if attempt == 2 or self.program.poll() is None or "needs a display" not in said:
                    raise
                with open(os.path.join(self.scratch, "xvfb.err"), errors="replace") as log:
                    server = log.read()
                print(f"the program could not open the display {self.display}; started again.\n"
                      f"It said:\n{said}\nThe display server said:\n{server}", file=sys.stderr)

    def open_with_default_application(self, paths, bin_dir, data_dir):
        """Opens files of one type at once as a file manager does: the
        application the desktop (programs in bin_dir, desktop files in
        data_dir) names for their type, launched through its desktop entry's
        Exec line. Returns the pids of the programs started."""
        import gi
        gi.require_version("Gio", "2.0")
        from gi.repository import Gio, GLib
        env = self.environment(PATH=f"{bin_dir}:{os.environ['PATH']}", XDG_DATA_DIRS=f"{data_dir}:/usr/share")
        saved = dict(os.environ)
        os.environ.clear()
        os.environ.update(env)  # GIO reads the desktop's folders from here
        try:
            kind, _ = Gio.content_type_guess(paths[0], None)
            app = Gio.AppInfo.get_default_for_type(kind, False)
            if app is None:
                raise LookupError(f"no application for {paths[0]} ({kind})")
            context = Gio.AppLaunchContext()
            for name, value in env.items():
                context.setenv(name, value)
            launched = []
            with open(self.log_path, "a") as log:
                app.launch_uris_as_manager_with_fds([Gio.File.new_for_path(p).get_uri() for p in paths], context,
                                                    GLib.SpawnFlags.SEARCH_PATH | GLib.SpawnFlags.DO_NOT_REAP_CHILD,
                                                    None, None, lambda _app, pid, _data: launched.append(pid), None,
                                                    -1, log.fileno(), log.fileno())
        finally:
            os.environ.clear()
            os.environ.update(saved)
        self.program = _Launched(launched[0])
        self.app = a11y.wait_for_application(launched[0], WAIT)
        return launched

    def wait_exit(self, timeout=WAIT):
        """The program's exit status once it has ended."""
        try:
            return self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError("the program did not end")

    def toolkit_trouble(self):
        """Warnings the toolkit printed so far, one per line."""
        return [line for line in self.program_output().splitlines() if TOOLKIT_TROUBLE.search(line)]

    def program_output(self):
        """What the programs started here printed so far."""
        try:
            with open(self.log_path, errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    # --- Finding ----------------------------------------------------------------

    def windows(self):
        return [w for w in self.app if w is not None and a11y.role(w) in WINDOW_ROLES and a11y.is_showing(w)]

    def wait_window(self, title, timeout=WAIT):
        """The program's showing window of that title (the active one when several)."""
        return a11y.wait_for(lambda: next((w for w in self.windows() if w.name == title), None),
                             f'the window "{title}"', timeout)

    def wait_gone(self, window, what, timeout=WAIT):
        def gone():
            try:
                return not a11y.is_showing(window)
            except Exception:
                return True
        a11y.wait_for(gone, f"{what} to close", timeout)

    def wait_message(self, text_part, timeout=WAIT):
        """A message box (an alert or a dialog) showing a text containing text_part."""
        def found():
            for window in self.windows():
                for acc in a11y.descendants(window):
                    if a11y.role(acc) == "label" and text_part in (acc.name or ""):
                        return window
            return None
        return a11y.wait_for(found, f'a message saying "{text_part}"', timeout)

    @staticmethod
    def find(root, role, name, timeout=WAIT):
        """The showing object of that role and name below root, once there is one."""
        try:
            return a11y.wait_for(lambda: a11y.find(root, role, name), f'the {role} "{name}"', timeout)
        except TimeoutError:
            raise LookupError(f'no {role} "{name}" in\n{a11y.dump(root)}') from None

    @staticmethod
    def text_of(acc):
        text = acc.queryText()
        return text.getText(0, text.characterCount)

    def wait_text(self, acc, expected, timeout=WAIT):
        return a11y.wait_for(lambda: self.text_of(acc) == expected, f'"{expected}" in {acc.name}', timeout)

    # --- Real input -------------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], check=True, env=dict(os.environ, DISPLAY=self.display),
                       timeout=WAIT)

    def _centre(self, acc):
        import pyatspi
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x + e.width // 2, e.y + e.height // 2

    def click(self, acc, double=False):
        """A real left click in the middle of the object."""
        x, y = self._centre(acc)
        # (--sync would wait forever when the pointer is there already)
        self.xdotool("mousemove", str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", *(["--repeat", "2", "--delay", "80"] if double else []), "1")

    def focus(self, acc):
        """Puts the keyboard focus on a control by clicking it and waits until it has it."""
        import pyatspi
        self.click(acc)
        a11y.wait_for(lambda: acc.getState().contains(pyatspi.STATE_FOCUSED), f"the focus on {acc.name}")

    def key(self, *keys):
        """Real key presses, named as X names them ("Return", "ctrl+a", "Tab")."""
        self.xdotool("key", "--delay", "40", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def replace_text(self, acc, text):
        """Selects what an edit holds and types text over it."""
        self.focus(acc)
        self.key("ctrl+a")
        self.type(text)
        self.wait_text(acc, text)

    # --- Screenshots -------------------------------------------------------------

    def shot(self, name):
        """A numbered screenshot of the program's windows once two captures in a row match."""
        self.step += 1
        path = os.path.join(self.out_dir, f"{self.step:02d}-{name}.png")
        previous = None
        deadline = time.monotonic() + WAIT
        while True:
            time.sleep(0.15)
            pixbuf = self._capture()
            pixels = pixbuf.get_pixels()
            if pixels == previous or time.monotonic() > deadline:
                break
            previous = pixels
        pixbuf.savev(path, "png", [], [])
        return path

    def _capture(self):
        gdk = self._display_gdk()
        root = gdk.get_default_root_window()
        x0, y0, x1, y1 = self._windows_box(root.get_width(), root.get_height())
        return gdk.pixbuf_get_from_window(root, x0, y0, x1 - x0, y1 - y0)

    def _windows_box(self, width, height):
        """The smallest box around the program's showing windows, or the whole screen."""
        import pyatspi
        boxes = []
        for window in self.windows():
            try:
                e = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            except Exception:
                continue
            if e.width > 0 and e.height > 0:
                boxes.append((e.x, e.y, e.x + e.width, e.y + e.height))
        if not boxes:
            return 0, 0, width, height
        margin = 8
        return (max(0, min(b[0] for b in boxes) - margin), max(0, min(b[1] for b in boxes) - margin),
                min(width, max(b[2] for b in boxes) + margin), min(height, max(b[3] for b in boxes) + margin))

    def _display_gdk(self):
        if self._gdk is None:
            import gi
            gi.require_version("Gdk", "3.0")
            from gi.repository import Gdk
            Gdk.init([])
            self._gdk = Gdk
        return self._gdk
