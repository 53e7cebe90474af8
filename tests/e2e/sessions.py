"""Sessions with the built program as a user has them: started on a desktop
of its own (desktop.py), driven by real keys and clicks, each step a numbered
screenshot, each session ending with checks on the files left on disk.

usage: sessions.py SESSION --build BUILD_DIR [--source SOURCE_DIR]

Run under Debian's /usr/bin/python3 (it has pyatspi). Exit status 0 when the
session went as a user expects.
"""
import argparse
import configparser
import os
import shutil
import sys
import time

from desktop import Desktop

PREFERENCES = "Sortavel Preferences"
ABOUT = "About the Sortavel Manager"


class Session:
    """What every session has: the desktop, the program, the samples."""

    def __init__(self, desk, build, source):
        self.desk = desk
        self.program = os.path.join(build, "sortavel")
        self.build = build
        self.examples = os.path.join(source, "examples")
        self.scratch = desk.scratch

    def path(self, *parts):
        return os.path.join(self.scratch, *parts)

    def settings(self):
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        parser.read(os.path.join(self.desk.config, "Sortavel.ini"))
        return parser

    def write_settings(self, **sections):
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        for section, values in sections.items():
            parser[section] = {key: str(value) for key, value in values.items()}
        with open(os.path.join(self.desk.config, "Sortavel.ini"), "w") as out:
            parser.write(out, space_around_delimiters=False)

    def simulator_folder(self, debrief):
        """A simulator folder whose last flight (debrf.tmp) is a copy of a sample debrief."""
        folder = self.path("Vortane")
        os.makedirs(folder, exist_ok=True)
        shutil.copy(os.path.join(self.examples, debrief), os.path.join(folder, "debrf.tmp"))
        return folder


def check(condition, what):
    if not condition:
        raise AssertionError(what)


# --- The sessions ----------------------------------------------------------------

def first_run(s):
    """A first start: the About box, the Preferences dialog (the simulator folder
    typed in), then the program goes on; the settings file keeps the folder."""
    d = s.desk
    folder = s.simulator_folder("sweep.stt")
    d.start([s.program])
    about = d.wait_window(ABOUT)
    d.shot("about")
    d.click(d.find(about, "push button", "OK"))
    prefs = d.wait_window(PREFERENCES)
    d.shot("preferences")
    d.replace_text(d.find(prefs, "text", "Vortane Program Directory"), folder)
    d.shot("preferences-folder-typed")
    d.click(d.find(prefs, "push button", "OK"))
    d.wait_gone(prefs, "the Preferences dialog")
    check(d.wait_exit() == 0, "exit status 0")
    settings = s.settings()
    check(settings["Preferences"].get("Init") == "1", "Init=1 written")
    check(settings["Preferences"].get("Vortane_Dir") == folder, "the simulator folder written")


SESSIONS = {f.__name__: f for f in (first_run,)}


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("session", choices=sorted(SESSIONS))
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    args = parser.parse_args(argv)
    build = os.path.abspath(args.build)
    out = os.path.join(build, "screenshots", "sessions", args.session)
    started = time.monotonic()
    with Desktop(out) as desk:
        session = Session(desk, build, os.path.abspath(args.source))
        try:
            SESSIONS[args.session](session)
            trouble = desk.toolkit_trouble()
            check(not trouble, "the toolkit complained:\n" + "\n".join(trouble))
        except BaseException:
            try:
                desk.shot("failure")
            except Exception:
                pass
            print(f"--- program output ---\n{desk.program_output()}", file=sys.stderr)
            raise
    print(f"{args.session}: {desk.step} screenshots in {out}, {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
