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

from desktop import Desktop, a11y

PREFERENCES = "Sortavel Preferences"
ABOUT = "About the Sortavel Manager"
MISSION = "Mission Details"
KILL = "Kill Details"
SAVE_CHANGES = "Save changes to the current log?"


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


def cells(table):
    """The texts of a list's rows."""
    return [cell.name for cell in a11y.find_all(table, "table cell", showing_only=False)]


def value_after(window, label):
    """The text shown right after a label (a summary figure, the status, the career range)."""
    for acc in a11y.descendants(window):
        if a11y.role(acc) == "label" and acc.name == label:
            parent = acc.parent
            return parent.getChildAtIndex(acc.getIndexInParent() + 1).name
    raise LookupError(f'no label "{label}"')


def read_log(path):
    """A pilot log as sections of keys and values."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    with open(path, newline="") as log:
        parser.read_string(log.read().replace("\r\n", "\n"))
    return parser


def check(condition, what):
    if not condition:
        raise AssertionError(what)


# --- The sessions ----------------------------------------------------------------

def first_run(s):
    """A first start: the About box, the Preferences dialog (the simulator folder
    typed in), the main window of an untitled log; the last flight logged, its
    title and duration typed anew and a kill added in the mission's details;
    the log saved on Exit under a new name. Started again, the program opens
    that log and shows the mission, its kill and the career summary."""
    d = s.desk
    folder = s.simulator_folder("sweep.stt")
    log = s.path("my pilot.log")
    d.start([s.program])
    about = d.wait_window(ABOUT)
    d.shot("about")
    d.click(d.find(about, "push button", "OK"))
    prefs = d.wait_window(PREFERENCES)
    d.shot("preferences")
    d.replace_text(d.find(prefs, "text", "Vortane Program Directory"), folder)
    d.shot("preferences-folder-typed")
    d.click(d.find(prefs, "push button", "OK"))
    main = d.wait_window("Untitled")
    d.shot("main-window-untitled")

    d.click(d.find(main, "push button", "Log Last Mission"))
    mission = d.wait_window(MISSION)
    d.shot("mission-details-of-the-new-mission")
    d.replace_text(d.find(mission, "text", "Mission"), "Dawn Patrol")
    d.replace_text(d.find(mission, "text", "Duration"), "00:45:00")
    d.shot("mission-title-and-duration-typed")
    kills = d.find(mission, "table", "Kills")
    check(len(cells(kills)) == 1, "the debrief's one kill listed")
    d.click(d.find(mission, "push button", "Add"))
    kill = d.wait_window(KILL)
    d.shot("kill-details-of-a-new-kill")
    # The lists are chosen from the keyboard: each is the control before or
    # after an edit, and arrow keys step through its entries.
    d.focus(d.find(kill, "text", "Launched At"))
    d.key("shift+Tab", *["Down"] * 22)  # the weapon list: R-73
    d.replace_text(d.find(kill, "text", "Launched At, time"), "00:20:01")
    d.replace_text(d.find(kill, "text", "Hit At, time"), "00:20:05")
    d.key("Tab", *["Down"] * 44)  # the target list: Mig-23
    d.key("Tab", "Down")  # the side: Russian
    d.click(d.find(kill, "check box", "Airborne Target"))
    d.shot("kill-details-filled-in")
    d.click(d.find(kill, "push button", "OK"))
    d.wait_gone(kill, "Kill Details")
    a11y.wait_for(lambda: "00:20:05 Russian Mig-23 (R-73)" in cells(kills), "the new kill in the list")
    d.shot("mission-details-with-the-new-kill")
    d.click(d.find(mission, "push button", "Close"))
    d.wait_gone(mission, "Mission Details")
    a11y.wait_for(lambda: "Dawn Patrol" in cells(d.find(main, "table", "Missions")), "the mission in the list")
    d.shot("main-window-with-the-mission")

    d.click(d.find(main, "push button", "Exit"))
    question = d.wait_message(SAVE_CHANGES)
    d.shot("save-changes-question")
    d.click(d.find(question, "push button", "Yes"))
    chooser = d.wait_window("Save As")
    d.key("ctrl+a")
    d.type(log)
    d.shot("save-as-name-typed")
    d.key("Return")
    check(d.wait_exit() == 0, "exit status 0")
    check(s.settings()["File"].get("Last_File") == log, "Last_File names the new log")
    saved = read_log(log)
    check(saved["C0M0"]["Title"] == "Dawn Patrol", "the typed title saved")
    check(saved["C0M0"]["Duration"] == "0-00:45:00", "the typed duration saved")
    check(saved["C0M0"]["Kill_Count"] == "2", "both kills saved")

    d.start([s.program])
    main = d.wait_window(log)
    missions = d.find(main, "table", "Missions")
    check(cells(missions) == ["Dawn Patrol"], "the reopened log shows the mission")
    check(value_after(main, "Flight Time") == "0-00:45:00", "the flight time is the typed duration")
    check(value_after(main, "Aircraft") == "2", "two aircraft shot down")
    check(value_after(main, "Total") == "1", "one mission")
    d.shot("reopened-log")
    d.click(missions.getChildAtIndex(1), double=True)
    mission = d.wait_window(MISSION)
    check(len(cells(d.find(mission, "table", "Kills"))) == 2, "the reopened mission has both kills")
    d.shot("reopened-mission-details")
    d.click(d.find(mission, "push button", "Close"))
    d.wait_gone(mission, "Mission Details")
    d.click(d.find(main, "push button", "Exit"))
    check(d.wait_exit() == 0, "exit status 0 with nothing to save")


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
