#!/usr/bin/env python3
"""Listens to Rallo2 the way a player hears it.

Each case starts its own PulseAudio server with only a null sink, on a
private socket, runs the real game under Xvfb against it, presses Play and
records the sink's monitor while the screen shows the ball's first bounce.
With Sound On a burst of the bell must arrive by then; after Options >
Sound > Off the same span must stay silent.
"""

import math
import os
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import GAME_DEADLINE, Failure, expect, menu_key, runner, set_game_length  # noqa: E402
from harness.sound import NEEDS, Recording, now_ns  # noqa: E402
from harness.xvfb import Xvfb  # noqa: E402

# Past the moment the screen shows a bounce, the time its sound may take to
# come: the screen is read every few tenths of a second, the bell starts
# within milliseconds.
BOUNCE_MARGIN_S = 0.5
# Less than this between two screens is taken for no move.
TURN_PX = 2
LONG_GAME = "9"  # balls: a run with no bounce at all is then all but impossible


def sound_off(session):
    """Options > Sound > Off with the keyboard: up from the menu's end past
    "Play game to...", then into the submenu, whose first item is On."""
    menu_key(session, "alt+o", 1)
    session.key("Up", "Up")  # "Play game to...", then "Sound"
    menu_key(session, "Right", 2)
    session.key("Down")  # "Off"
    menu_key(session, "Return", 0)


def first_bounce(session, play, deadline):
    """Watches the ball until it turns off a wall or the paddle; returns the
    monotonic time of the first screen that shows it turned. A ball put back
    at its serve place after a miss is no bounce."""
    x, y, w, h = play.box("shpBall")
    home = (x + w / 2, y + h / 2)
    end = time.monotonic() + deadline
    previous, heading = None, [0, 0]  # the last seen direction across and down
    while time.monotonic() < end:
        session.alive()
        seen = now_ns()
        ball = play.ball(session.shoot())
        if ball is None or math.hypot(ball[0] - home[0], ball[1] - home[1]) <= 1.5:
            previous, heading = None, [0, 0]
            continue
        if previous is not None:
            for axis in (0, 1):
                moved = ball[axis] - previous[axis]
                if abs(moved) < TURN_PX:
                    continue
                direction = 1 if moved > 0 else -1
                if heading[axis] and direction != heading[axis]:
                    return seen
                heading[axis] = direction
        previous = ball
    raise Failure("no bounce seen within %.0f s of play" % deadline)


def play_and_listen(session, options=None):
    """From a fresh start: the options, a long game, Play; then the
    recording, the time Play was clicked and the end of the span that must
    hold the first bounce's sound."""
    session.start_sound()
    session.start_game()
    play = session.open_play_window()
    if options:
        options(session)
    set_game_length(session, LONG_GAME)
    recording = Recording(session)
    try:
        pressed = now_ns()
        session.click(play.centre("cmdNewGame"))
        bounced = first_bounce(session, play, GAME_DEADLINE / 6)
        time.sleep(BOUNCE_MARGIN_S)
    finally:
        recording.stop()
    return recording, pressed, bounced + int(BOUNCE_MARGIN_S * 1e9)


def case_sound_on(session):
    recording, pressed, until = play_and_listen(session)
    loud = recording.loud_from(pressed, until)
    expect(loud is not None,
           "no sound above -40 dBFS from Play to past the first bounce (%.1f s; peak %.1f dBFS)"
           % ((until - pressed) / 1e9, recording.peak_dbfs(pressed, until)))
    print("first sound %.2f s after Play; first bounce seen by %.2f s"
          % ((recording.time_of(loud) - pressed) / 1e9,
             (until - pressed) / 1e9 - BOUNCE_MARGIN_S))


def case_sound_off(session):
    recording, pressed, until = play_and_listen(session, sound_off)
    loud = recording.loud_from(pressed, until)
    expect(loud is None, "a sound %.2f s after Play with Sound Off (peak %.1f dBFS)"
           % ((recording.time_of(loud) - pressed) / 1e9 if loud is not None else 0,
              recording.peak_dbfs(pressed, until)))
    print("silent from Play to past the first bounce, %.1f s (peak %s dBFS)"
          % ((until - pressed) / 1e9, "%.1f" % recording.peak_dbfs(pressed, until)))


CASES = {"sound_on": case_sound_on, "sound_off": case_sound_off}

if __name__ == "__main__":
    sys.exit(runner.main(CASES, __doc__, needs=Xvfb.NEEDS + NEEDS))
