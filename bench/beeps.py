"""From the game's beep call to the first sound on a sink of our own."""

import os
import time

from harness import Failure, Session, choose, set_game_length
from harness.sound import Recording
from logs import percentile, read_beeps
from usage import status_kb

LONG_GAME = "99"  # points: the match outlasts the beeps wanted

BEEPS_WANTED = 30
BEEPS_DEADLINE_S = 90
BEEP_SEARCH_NS = 500_000_000  # a beep's sound must start within this of the call
# A sound still playing hides the start of the next: beeps with any sound in
# this stretch before them are left out. The earlier edge allows for the
# recording's clock mapping being late.
BEEP_QUIET_NS = (60_000_000, 20_000_000)


def beep_latency(session_settings):
    """The game against the computer at Fast speed, on a PulseAudio null sink
    of its own (tests/harness/sound.py): each beep call the game logs
    (RALLO2_BEEP_LOG, CLOCK_MONOTONIC at the call and at its return) against
    the moment the first non-silent sample after it reached us from the
    sink's monitor, on the same clock. The sample positions, mapped to that
    clock, only find the sample. Also VmRSS before Play and after the beeps."""
    session = Session("bench-beep", **session_settings)
    log = os.path.join(session.tmp, "beeps")
    recording = None
    try:
        session.start_sound()
        session.start_game({"RALLO2_BEEP_LOG": log})
        pid = session.game.pid
        session.open_play_window()
        choose(session, "alt+o", "t", "c")  # Options > Two Player Game > Play against Computer
        choose(session, "alt+o", "b", "f")  # Options > Ball Speed > Fast
        set_game_length(session, LONG_GAME)
        recording = Recording(session)
        rss_before = status_kb(pid, "VmRSS")
        session.key("alt+p")
        try:
            session.wait_for("%d beeps" % BEEPS_WANTED,
                             lambda: len(read_beeps(log)) >= BEEPS_WANTED, BEEPS_DEADLINE_S, 0.2)
        except Failure:
            session.alive()  # fewer beeps are measured as they are; a dead game is not
        time.sleep(BEEP_SEARCH_NS / 1e9)
        rss_after = status_kb(pid, "VmRSS")
        beeps = read_beeps(log)
    finally:
        if recording is not None:
            recording.stop()
        session.close()

    samples = recording.view()
    index = recording.index_at

    latencies, hidden = [], 0
    for called, _ in beeps:
        if any(samples[index(called - BEEP_QUIET_NS[0]):index(called - BEEP_QUIET_NS[1])]):
            hidden += 1
            continue
        start = index(called - BEEP_QUIET_NS[1])
        stop = index(called + BEEP_SEARCH_NS)
        first = next((i for i in range(start, stop) if samples[i]), None)
        if first is not None:
            # The moment parec handed over the chunk holding that sample: the
            # sink rendered it no later, so this is an upper bound.
            arrived = next(t for t, n in recording.arrivals if n > first)
            if arrived < called:  # the tail of the sound before
                hidden += 1
                continue
            latencies.append((arrived - called) / 1e6)
    times = [t for t, _ in recording.arrivals]
    gaps = sorted((b - a) / 1e6 for a, b in zip(times, times[1:]))
    return {
        "latencies": sorted(latencies),
        "blocking_in_order": [(returned - called) / 1e6 for called, returned in beeps],
        "beeps": len(beeps),
        "hidden": hidden,
        "silent": len(beeps) - hidden - len(latencies),
        "rss": (rss_before, rss_after),
        "chunk_gap_p50": percentile(gaps, 0.50),
    }
