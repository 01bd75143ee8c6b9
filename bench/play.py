"""The game idle, in a serve wait and in play: CPU use, wake-ups, peak
memory and the frame clock, from one start of the real window."""

import os
import time

from frames import frame_clock
from harness import Failure, set_game_length
from logs import now_ns, read_ticks
from usage import Sample, measure, status_kb

LONG_GAME = "999"  # balls, so that the play measured is not cut short
SETTLE_S = 2.0
IDLE_S = 5
PLAY_S = 10
# The serve wait sampled: from a quarter second after Play to well before
# the first frame, two seconds after it.
SERVE_SAMPLE_NS = (250_000_000, 1_750_000_000)


def sleep_until(deadline_ns):
    left = (deadline_ns - now_ns()) / 1e9
    if left > 0:
        time.sleep(left)


def idle_serve_play(session, notes):
    """{idle, serve, play: Sample; clock: frame figures; hwm: kB after play}."""
    frame_log = os.path.join(session.tmp, "frames")
    game = session.start_game({"RALLO2_FRAME_LOG": frame_log})
    play_window = session.open_play_window()
    time.sleep(SETTLE_S)
    idle = measure(game.pid, IDLE_S)

    set_game_length(session, LONG_GAME)
    time.sleep(1.0)
    clicked = now_ns()
    session.click(play_window.centre("cmdNewGame"))
    sleep_until(clicked + SERVE_SAMPLE_NS[0])
    serve = Sample(game.pid)
    sleep_until(clicked + SERVE_SAMPLE_NS[1])
    serve.close()
    try:
        first = session.wait_for("the first frame", lambda: read_ticks(frame_log), 10, 0.01)
        first_tick = first[0][0]
    except Failure:
        first_tick = None
    if first_tick is None:
        notes.append("rallo2 wrote no RALLO2_FRAME_LOG: the frame clock was not measured,"
                     " and the serve wait's sample may include frames")
    elif first_tick < serve.end:
        notes.append("the serve-wait sample ran into the first frames")
        serve.cpu = None

    if first_tick is not None:
        sleep_until(first_tick)
    play = measure(game.pid, PLAY_S)
    hwm = status_kb(game.pid, "VmHWM")
    clock = frame_clock(read_ticks(frame_log), play.start, play.end)
    if clock and not clock["timed"]:
        notes.append("the frame log has no frame end times: gaps over 1 s were taken"
                     " for serve pauses")
    return {"idle": idle, "serve": serve, "play": play, "clock": clock, "session_hwm": hwm}
