"""Checks one open window of a program as a screen reader reads it.

usage: check_accessible.py PID WINDOW_ROLE=TITLE ROLE=NAME... [cell:TABLE:ROW:COLUMN=TEXT...]

Finds the window TITLE of process PID on the accessibility bus and fails
(exit status 1, with the window's tree) unless it has the role WINDOW_ROLE,
every ROLE=NAME pair is among its showing objects, every showing control
has a name, and the table named TABLE reads TEXT in the cell at ROW, COLUMN
(a column's heading at row -1).
"""
import sys

import a11y


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    pid = int(argv[0])
    window_role, title = argv[1].split("=", 1)
    pairs = [tuple(pair.split("=", 1)) for pair in argv[2:]]
    expected = [(role, name) for role, name in pairs if not role.startswith("cell:")]
    cells = [(role.split(":", 3)[1:], text) for role, text in pairs if role.startswith("cell:")]
    app = a11y.wait_for_application(pid)
    window = a11y.wait_for(lambda: next((w for w in app if w is not None and w.name == title), None),
                           f'the window "{title}"')
    problems = [f"the window is a {a11y.role(window)}"] if a11y.role(window) != window_role else []
    problems += [f'no {role} named "{name}"' for role, name in expected if not a11y.find(window, role, name)]
    problems += [f"a {a11y.role(acc)} without a name" for acc in a11y.descendants(window)
                 if a11y.role(acc) in a11y.CONTROL_ROLES and not acc.name]
    for (table, row, column), text in cells:
        found = a11y.find(window, "table", table)
        read = a11y.cell_text(found, int(row), int(column)) if found else None
        if read != text:
            problems.append(f'cell {row}, {column} of the table "{table}" reads {read!r}, not {text!r}')
    if not problems:
        return 0
    print("\n".join(problems), file=sys.stderr)
    print(a11y.dump(window), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
