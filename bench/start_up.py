"""Start-up to first paint and peak memory, the game beside its floors."""

import os
import statistics
import time

from logs import read_mark
from usage import measure, status_kb

SETTLE_S = 1.0  # after the first paint, before memory is read
IDLE_S = 5


def start_up(session, commands, runs):
    """Process start to first paint, and VmHWM a second after it, of each
    program over `runs` fresh starts, taken in turns so that both see the
    same load, every other round in reverse order; the first round only
    warms the caches. Medians per program, None for a program that wrote no
    mark."""
    times = {label: [] for label in commands}
    peaks = {label: [] for label in commands}
    for run in range(runs + 1):
        order = list(commands.items())
        for label, command in (order if run % 2 else reversed(order)):
            if times[label] is None:
                continue
            mark = os.path.join(session.tmp, "%s-first-paint-%d" % (label, run))
            program = session.start_program(command, {"RALLO2_FIRST_PAINT": mark}, label)
            try:
                painted = read_mark(mark, program)
                if painted is None:
                    times[label] = peaks[label] = None
                    continue
                time.sleep(SETTLE_S)
                if run:
                    times[label].append((painted - program.started_ns) / 1e6)
                    peaks[label].append(status_kb(program.pid, "VmHWM"))
            finally:
                program.stop()
    return {label: (statistics.median(times[label]) if times[label] else None,
                    statistics.median(peaks[label]) if peaks[label] else None)
            for label in commands}


def at_rest(session, command):
    """CPU use and wake-ups of a program idle after its first paint."""
    mark = os.path.join(session.tmp, "at-rest-first-paint")
    program = session.start_program(command, {"RALLO2_FIRST_PAINT": mark})
    try:
        read_mark(mark, program)
        time.sleep(SETTLE_S)
        return measure(program.pid, IDLE_S)
    finally:
        program.stop()
