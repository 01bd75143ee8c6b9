"""Readers of the logs the programs write when the environment asks for
them (the names and line formats are read by scripts outside the tree too):
  RALLO2_FRAME_LOG=<file>    one line per frame-clock tick:
                             "<tick ns> <done ns> <ran>" (CLOCK_MONOTONIC)
  RALLO2_FIRST_PAINT=<file>  one line, the CLOCK_MONOTONIC ns once the first
                             paint of the play window has reached the screen
  RALLO2_BEEP_LOG=<file>     one line per beep: "<called ns> <returned ns>"
  RALLO2_INPUT_LOG=<file>    "key <ns> <virtual key>" as a key press reaches
                             the game, "shown <ns> <shape>:<x>,<y> ..." once
                             a paint that moved shapes has reached the screen
bare-qt-window and same-widgets-window write the same first-paint line."""

import time

from harness import Failure, wait_for

MARK_DEADLINE = 30.0


def now_ns():
    return time.monotonic_ns()  # CLOCK_MONOTONIC, the clock the programs log


def percentile(values, q):
    """The q-quantile of sorted `values`, None for none."""
    return values[min(len(values) - 1, int(q * len(values)))] if values else None


def lines(path):
    try:
        with open(path) as f:
            return f.readlines()
    except FileNotFoundError:
        return []


def read_mark(path, program):
    """The first-paint mark once written, or None if `program` ends or none
    comes in time."""

    def mark():
        text = "".join(lines(path)).strip()
        try:
            return int(text.split()[0]) if text else None
        except ValueError:
            return None  # caught half written

    try:
        return wait_for("the first paint", mark, MARK_DEADLINE, 0.005,
                        alive=lambda: program.alive("before its first paint"))
    except Failure:
        return None


def read_ticks(path):
    """[(tick ns, done ns or None, ran)] of the frame log."""
    ticks = []
    for line in lines(path):
        fields = line.split()
        if len(fields) >= 3:
            ticks.append((int(fields[0]), int(fields[1]), fields[2] == "1"))
        elif len(fields) == 1:
            ticks.append((int(fields[0]), None, True))
    return ticks


def read_input_log(path):
    """(keys, shown): [(ns, code)] and [(ns, {shape: (x, y)})]."""
    keys, shown = [], []
    for line in lines(path):
        fields = line.split()
        if len(fields) == 3 and fields[0] == "key":
            keys.append((int(fields[1]), int(fields[2])))
        elif len(fields) >= 2 and fields[0] == "shown" and line.endswith("\n"):
            places = {}
            for item in fields[2:]:
                name, _, xy = item.partition(":")
                x, _, y = xy.partition(",")
                places[name] = (int(x), int(y))
            shown.append((int(fields[1]), places))
    return keys, shown


def read_beeps(path):
    """[(called ns, returned ns)] of the beep log."""
    return [tuple(int(f) for f in line.split()) for line in lines(path)
            if len(line.split()) == 2]
