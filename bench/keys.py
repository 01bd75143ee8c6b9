"""Real key presses to the paint that shows them, timed inside the game."""

import os
import random
import statistics
import time

from frames import HELD_NS, PERIOD_NS
from harness import Failure, set_game_length, wait_for
from logs import now_ns, percentile, read_input_log, read_ticks

LEFT, RIGHT = 37, 39  # virtual-key codes of the arrows
LONG_GAME = "999"  # balls, so that play is not cut short
HOLD_S = 3.0  # longest a key is held: longer than a serve pause
PRESSES_DEADLINE_S = 90


def paddle_shown_after(shown, ns):
    """The first paint on the screen after `ns` that moved the paddle."""
    for when, places in shown:
        if when > ns and "shpPaddle" in places:
            return when, places["shpPaddle"]
    return None


def in_serve_pause(ticks, ns):
    """Whether a key at `ns` met a serve pause: it came inside a frame that
    held the game for one (the game handles keys meanwhile, but no frame
    moves the paddle), or the frame that answers it was one (the ball was
    lost in it, and the paddle put back home is shown during the pause)."""
    frames = sorted((tick, done) for tick, done, ran in ticks if ran and done is not None)
    for tick, done in frames:
        held = done - tick > HELD_NS
        if tick <= ns <= done and held:
            return True
        if tick > ns:
            return held
    return False


def key_to_screen(session, presses):
    """Real key presses, Left or Right, whichever leads back towards the
    paddle's home place, each held until the game has shown the paddle moved
    (at most 3 s, longer than a serve pause), then released, with a random
    gap so that presses fall at every phase of the frame clock. Timed in the
    game, on one clock, from the key event's arrival to the first flushed
    paint that moved the paddle after it. Presses that came during a serve
    pause are left out and counted."""
    frames = os.path.join(session.tmp, "key-frames")
    inputs = os.path.join(session.tmp, "key-inputs")
    session.game.stop()
    session.start_game({"RALLO2_FRAME_LOG": frames, "RALLO2_INPUT_LOG": inputs})
    play = session.open_play_window()
    set_game_length(session, LONG_GAME)
    time.sleep(0.5)
    session.click(play.centre("cmdNewGame"))
    session.wait_for("the first frame", lambda: read_ticks(frames), 10, 0.01)

    def running():  # a frame ran lately: not in a serve pause
        ran = [tick for tick, _, did in read_ticks(frames) if did]
        return ran and now_ns() - ran[-1] < 3 * PERIOD_NS

    chance = random.Random(9)
    paddle_x = home_x = play.box("shpPaddle")[0]
    latencies, sent_to_arrival, paused, lost = [], [], 0, 0
    deadline = time.monotonic() + PRESSES_DEADLINE_S
    while len(latencies) < presses and time.monotonic() < deadline:
        session.wait_for("frames running", running, 10, 0.005)
        code, key = (RIGHT, "Right") if paddle_x < home_x else (LEFT, "Left")
        keys_before = len(read_input_log(inputs)[0])
        arrivals = []

        def shown_moved():
            keys, shown = read_input_log(inputs)
            arrivals[:] = [ns for ns, c in keys[keys_before:] if c == code][:1]
            return arrivals and paddle_shown_after(shown, arrivals[0])

        sent = now_ns()
        session.hold(key)
        try:
            found = wait_for("the paddle moved on the screen", shown_moved, HOLD_S, 0.002)
        except Failure:
            found = None
        finally:
            session.hold(key, down=False)
        arrival = arrivals[0] if arrivals else None
        if arrival is not None and in_serve_pause(read_ticks(frames), arrival):
            paused += 1
        elif arrival is None or found is None:
            lost += 1
        else:
            latencies.append((found[0] - arrival) / 1e6)
            sent_to_arrival.append((arrival - sent) / 1e6)
        if found:
            paddle_x = found[1][0]
        time.sleep(chance.uniform(0.02, 0.08))
    if not latencies:
        return None
    latencies.sort()
    return {"p50": percentile(latencies, 0.50), "p99": percentile(latencies, 0.99),
            "largest": latencies[-1],
            "counted": len(latencies), "paused": paused, "lost": lost,
            "sent": statistics.median(sent_to_arrival)}
