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
import subprocess
import sys
import time

from desktop import Desktop, a11y

PREFERENCES = "Sortavel Preferences"
ABOUT = "About the Sortavel Manager"
MISSION = "Mission Details"
KILL = "Kill Details"
SAVE_CHANGES = "Save changes to the current log?"
EJECTED = "Your aircraft was destroyed! Did you eject safely?"
DEAD_PILOT = "This Pilot is dead.  Would you like to start a new career?"


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

    def sample_log(self, path=None):
        """A copy of the sample pilot log to work on."""
        path = path or self.path("pilot.log")
        shutil.copy(os.path.join(self.examples, "pilot.log"), path)
        return path

    def answer(self, window, button, message, shot, reply):
        """Clicks a button of the window that asks a question, takes a
        screenshot of the question and answers it with the reply button."""
        d = self.desk
        d.click(d.find(window, "push button", button))
        question = d.wait_message(message)
        d.shot(shot)
        d.click(d.find(question, "push button", reply))

    def choose(self, window, menu, item):
        """Chooses a menu command with real clicks: the menu in the window's
        menu bar, a screenshot of it open, then the item."""
        d = self.desk
        d.click(d.find(window, "menu", menu))
        entry = d.find(window, "menu item", item)
        d.shot(f"menu-{menu}-open".lower())
        d.click(entry)

    def exit_saving(self, main):
        """Exit, answering Yes to saving the changes; the program ends."""
        self.answer(main, "Exit", SAVE_CHANGES, "save-changes-question", "Yes")
        check(self.desk.wait_exit() == 0, "exit status 0")

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
            if acc.parent.name == label:  # a group's own label: the value follows the group
                acc = acc.parent
            return acc.parent.getChildAtIndex(acc.getIndexInParent() + 1).name
    raise LookupError(f'no label "{label}"')


def read_log(path):
    """A pilot log as sections of keys and values."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    with open(path, newline="") as log:
        parser.read_string(log.read().replace("\r\n", "\n"))
    return parser


def cell(table, name):
    return next(c for c in a11y.find_all(table, "table cell", showing_only=False) if c.name == name)


def check(condition, what):
    if not condition:
        raise AssertionError(what)


# --- The sessions ----------------------------------------------------------------

def first_run(s):
    """A first start: the About box, the Preferences dialog (the simulator folder
    typed in), the main window of an untitled log; the last flight logged, its
    title and duration typed anew and a kill added in the mission's details;
    the log saved with File, "Save As..." under a new name. Started again, the
    program opens
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

    # File, "Save As..." from the keyboard: F10 opens the File menu, the
    # arrows pass over the separators.
    d.key("F10")
    d.find(main, "menu item", "Save As...")
    d.key(*["Down"] * 5)
    d.shot("menu-file-save-as")
    d.key("Return")
    d.wait_window("Save As")
    d.key("ctrl+a")
    d.type(log)
    d.shot("save-as-name-typed")
    d.key("Return")
    main = d.wait_window(log)
    d.shot("main-window-saved")
    d.click(d.find(main, "push button", "Exit"))
    check(d.wait_exit() == 0, "exit status 0 with nothing left to save")
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


def career_ends(s):
    """The pilot is killed: the ejection question answered No, the status reads
    KIA and the career range closes; Add asks about a new career, Yes starts
    one holding the new mission. Saved on Exit."""
    d = s.desk
    log = s.sample_log()
    s.write_settings(Preferences={"Init": 1, "Vortane_Dir": s.simulator_folder("killed.stt")},
                     File={"Last_File": log})
    d.start([s.program])
    main = d.wait_window(log)
    check(value_after(main, "Status") == "OK", "the pilot alive at first")
    d.shot("main-window-pilot-alive")
    s.answer(main, "Log Last Mission", EJECTED, "ejection-question", "No")
    mission = d.wait_window(MISSION)
    d.shot("mission-details-killed")
    d.click(d.find(mission, "push button", "Close"))
    d.wait_gone(mission, "Mission Details")
    a11y.wait_for(lambda: value_after(main, "Status") == "KIA", "the status KIA")
    range_kia = value_after(main, "Career:")
    check(not range_kia.endswith("Present"), f"a dead pilot's career range has an end: {range_kia}")
    check(cells(d.find(main, "table", "Missions"))[-1] == "Last Stand", "the fatal mission listed last")
    d.shot("main-window-pilot-killed")

    s.answer(main, "Add", DEAD_PILOT, "new-career-question", "Yes")
    mission = d.wait_window(MISSION)
    d.replace_text(d.find(mission, "text", "Mission"), "Fresh Start")
    d.shot("mission-details-first-of-the-new-career")
    d.click(d.find(mission, "push button", "Close"))
    d.wait_gone(mission, "Mission Details")
    a11y.wait_for(lambda: cells(d.find(main, "table", "Missions")) == ["Fresh Start"], "the new career's mission")
    check(value_after(main, "Status") == "OK", "the new career's pilot alive")
    check(value_after(main, "Career:").endswith("Present"), "the new career runs to the present")
    check(value_after(main, "Total") == "1", "one mission in the new career")
    d.shot("main-window-new-career")

    s.exit_saving(main)
    saved = read_log(log)
    check(saved["Pilot"]["Career_Count"] == "4", "four careers saved")
    check(saved["C2M3"]["Title"] == "Last Stand" and saved["C2M3"]["Pilot_Status"] == "3", "the fatal mission KIA")
    check(saved["C3M0"]["Title"] == "Fresh Start", "the new career's mission saved")


def moving_missions(s):
    """A mission cut from the last career, the careers stepped through with the
    up-down arrows, the mission pasted into the first career; saved with
    File, "Save" and reopened, it is there."""
    d = s.desk
    log = s.sample_log()
    s.write_settings(Preferences={"Init": 1}, File={"Last_File": log})
    d.start([s.program])
    main = d.wait_window(log)
    missions = d.find(main, "table", "Missions")
    check(cells(missions) == ["Border Patrol", "Escort", "Airfield Strike"], "the last career's missions")
    d.click(cell(missions, "Escort"))
    d.shot("mission-selected")
    d.click(d.find(main, "push button", "Cut"))
    a11y.wait_for(lambda: cells(missions) == ["Border Patrol", "Airfield Strike"], "the mission cut")
    d.shot("mission-cut")
    last_range = value_after(main, "Career:")
    for _ in range(2):
        before = value_after(main, "Career:")
        d.click(d.find(main, "push button", "Previous career"))
        a11y.wait_for(lambda: value_after(main, "Career:") != before, "the previous career")
    a11y.wait_for(lambda: cells(missions) == ["Coastal Sweep", "Harbour Strike", "Night Intercept"],
                  "the first career's missions")
    d.shot("first-career")
    d.click(cell(missions, "Harbour Strike"))
    d.click(d.find(main, "push button", "Paste"))
    a11y.wait_for(lambda: "Escort" in cells(missions), "the mission pasted")
    d.shot("mission-pasted")
    s.choose(main, "File", "Save")
    a11y.wait_for(lambda: read_log(log)["C0"]["Mission_Count"] == "4", "the log saved")
    d.click(d.find(main, "push button", "Exit"))
    check(d.wait_exit() == 0, "exit status 0 once saved")

    d.start([s.program])
    main = d.wait_window(log)
    missions = d.find(main, "table", "Missions")
    check(value_after(main, "Career:") == last_range, "the last career shown first")
    check(cells(missions) == ["Border Patrol", "Airfield Strike"], "the mission gone from the last career")
    for _ in range(2):
        before = value_after(main, "Career:")
        d.click(d.find(main, "push button", "Previous career"))
        a11y.wait_for(lambda: value_after(main, "Career:") != before, "the previous career")
    a11y.wait_for(lambda: "Escort" in cells(missions), "the mission in the first career after reopening")
    d.shot("reopened-first-career")
    d.click(d.find(main, "push button", "Exit"))
    check(d.wait_exit() == 0, "exit status 0 with nothing to save")
    saved = read_log(log)
    check(saved["C0"]["Mission_Count"] == "4" and saved["C2"]["Mission_Count"] == "2", "the counts saved")


def damage_control(s):
    """A save that fails (the log's folder removed behind the program's back)
    keeps the window open and the log in memory; with the folder back, the
    next save succeeds."""
    d = s.desk
    folder = s.path("logs")
    os.makedirs(folder)
    log = s.sample_log(os.path.join(folder, "pilot.log"))
    s.write_settings(Preferences={"Init": 1}, File={"Last_File": log})
    d.start([s.program])
    main = d.wait_window(log)
    d.replace_text(d.find(main, "text", "Callsign"), "Phoenix")
    d.shot("callsign-changed")
    shutil.rmtree(folder)
    s.answer(main, "Exit", SAVE_CHANGES, "save-changes-question", "Yes")
    failure = d.wait_message("Could not save the log to " + log)
    d.shot("save-failed")
    d.click(d.find(failure, "push button", "OK"))
    d.wait_gone(failure, "the failure message")
    time.sleep(0.5)
    check(d.program.poll() is None, "the program still running")
    check(d.text_of(d.find(main, "text", "Callsign")) == "Phoenix", "the change still in memory")
    check(not os.path.exists(log), "nothing written")
    d.shot("window-still-open")

    os.makedirs(folder)
    s.exit_saving(main)
    check(read_log(log)["Pilot"]["Callsign"] == "Phoenix", "the change saved once the folder is back")


def open_log(s):
    """Another log opened with File, "Open Log...": the changed log is saved
    first when the user says so, then the window shows the other log."""
    d = s.desk
    log = s.sample_log()
    other = s.path("wingman.log")
    with open(os.path.join(s.examples, "pilot.log"), newline="") as sample:
        text = sample.read()
    with open(other, "w", newline="") as out:
        out.write(text.replace("Callsign=Kestrel", "Callsign=Wingman"))
    s.write_settings(Preferences={"Init": 1}, File={"Last_File": log})
    d.start([s.program])
    main = d.wait_window(log)
    callsign = d.find(main, "text", "Callsign")
    d.replace_text(callsign, "Phoenix")
    d.shot("callsign-changed")
    s.choose(main, "File", "Open Log...")
    question = d.wait_message(SAVE_CHANGES)
    d.shot("save-changes-question")
    d.click(d.find(question, "push button", "Yes"))
    d.wait_window("Open")
    d.type(other)
    d.shot("other-log-chosen")
    d.key("Return")
    main = d.wait_window(other)
    a11y.wait_for(lambda: d.text_of(d.find(main, "text", "Callsign")) == "Wingman", "the other log's callsign")
    d.shot("other-log-shown")
    check(read_log(log)["Pilot"]["Callsign"] == "Phoenix", "the change saved before the other log was opened")
    check(s.settings()["File"].get("Last_File") == other, "Last_File names the other log")
    d.click(d.find(main, "push button", "Exit"))
    check(d.wait_exit() == 0, "exit status 0 with nothing to save")


def desktop_open(s):
    """Installed into a scratch root, the program is what a file manager opens
    debriefs with: two opened at once start one program, which logs both in
    turn into the last log, so that one save keeps both."""
    d = s.desk
    prefix = s.path("usr")
    subprocess.run(["cmake", "--install", s.build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["update-mime-database", os.path.join(prefix, "share", "mime")], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["update-desktop-database", os.path.join(prefix, "share", "applications")], check=True)
    log = s.sample_log()
    s.write_settings(Preferences={"Init": 1}, File={"Last_File": log})
    downloads = s.path("Downloads")
    os.makedirs(downloads)
    debriefs = [os.path.join(downloads, "Deep Strike.stt"), os.path.join(downloads, "Fighter Sweep.stt")]
    shutil.copy(os.path.join(s.examples, "strike.stt"), debriefs[0])
    shutil.copy(os.path.join(s.examples, "sweep.stt"), debriefs[1])

    launched = d.open_with_default_application(debriefs, os.path.join(prefix, "bin"), os.path.join(prefix, "share"))
    check(len(launched) == 1, f"one program for both debriefs, not {len(launched)}")
    for title in ("Strike", "Fighter Sweep"):
        mission = d.wait_window(MISSION)
        a11y.wait_for(lambda: d.text_of(d.find(mission, "text", "Mission")) == title, f"the mission {title} shown")
        d.shot("mission-details-of-" + title.lower().replace(" ", "-"))
        d.click(d.find(mission, "push button", "Close"))
        d.wait_gone(mission, "Mission Details")
    main = d.wait_window(log)
    a11y.wait_for(lambda: cells(d.find(main, "table", "Missions"))[-2:] == ["Strike", "Fighter Sweep"],
                  "both missions in the last log")
    d.shot("main-window-with-the-opened-debriefs")
    s.exit_saving(main)
    saved = read_log(log)
    check(saved["C2"]["Mission_Count"] == "5" and saved["C2M3"]["Title"] == "Strike"
          and saved["C2M4"]["Title"] == "Fighter Sweep", "both logged into the last log")


def try_it(s):
    """The README's tour: the sample log opened from the command line, the
    sample strike logged through "Log Mission..." and its file chooser; Exit
    without saving leaves the log as it was."""
    d = s.desk
    log = s.sample_log()
    with open(log, "rb") as before:
        original = before.read()
    s.write_settings(Preferences={"Init": 1, "Vortane_Dir": s.simulator_folder("sweep.stt")})
    d.start([s.program, "/LOG", log])
    main = d.wait_window(log)
    d.shot("sample-log")
    d.click(d.find(main, "push button", "Log Mission..."))
    d.wait_window("Open")
    d.type(os.path.join(s.examples, "strike.stt"))
    d.shot("debrief-chosen")
    d.key("Return")
    mission = d.wait_window(MISSION)
    d.shot("mission-details-of-the-strike")
    d.click(d.find(mission, "push button", "Close"))
    d.wait_gone(mission, "Mission Details")
    a11y.wait_for(lambda: cells(d.find(main, "table", "Missions"))[-1] == "Strike", "the strike listed")
    check(value_after(main, "Pri. Targets") == "2", "the strike's primary target counted")
    d.shot("main-window-with-the-strike")
    s.answer(main, "Exit", SAVE_CHANGES, "save-changes-question", "No")
    check(d.wait_exit() == 0, "exit status 0")
    with open(log, "rb") as after:
        check(after.read() == original, "the log left as it was")
    check(s.settings()["File"].get("Last_STT") == os.path.join(s.examples, "strike.stt"), "Last_STT written")


SESSIONS = {f.__name__: f for f in (first_run, career_ends, moving_missions, open_log, damage_control, desktop_open,
                                    try_it)}


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
