"""Checks one open window of a program as a screen reader reads it.

usage: check_accessible.py PID WINDOW_ROLE=TITLE ROLE=NAME...

Finds the window TITLE of process PID on the accessibility bus and fails
(exit status 1, with the window's tree) unless it has the role WINDOW_ROLE,
every ROLE=NAME pair is among its showing objects and every showing control
has a name.
"""
import sys

import a11y


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    pid = int(argv[0])
    window_role, title = argv[1].split("=", 1)
    expected = [tuple(pair.split("=", 1)) for pair in argv[2:]]
    app = a11y.wait_for_application(pid)
    window = a11y.wait_for(lambda: next((w for w in app if w is not None and w.name == title), None),
                           f'the window "{title}"')
    problems = [f"the window is a {a11y.role(window)}"] if a11y.role(window) != window_role else []
    problems += [f'no {role} named "{name}"' for role, name in expected if not a11y.find(window, role, name)]
    problems += [f"a {a11y.role(acc)} without a name" for acc in a11y.descendants(window)
                 if a11y.role(acc) in a11y.CONTROL_ROLES and not acc.name]
    if not problems:
        return 0
    print("\n".join(problems), file=sys.stderr)
    print(a11y.dump(window), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
