"""Failures, checks and the one polling loop every test waits with."""

import time

# How long a state may take to come on a slow, shared machine. Nothing waits
# a fixed time for a state: these are only the limits of the polling.
WINDOW_DEADLINE = 60.0
STATE_DEADLINE = 30.0
GAME_DEADLINE = 240.0


class Failure(Exception):
    """A check that failed: the runner reports it as one FAIL line."""


def expect(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, deadline=STATE_DEADLINE, interval=0.1, alive=None, late=None):
    """Polls `probe` until it returns something truthy, and returns that.
    `alive()` runs before each look and raises if what is watched has died;
    past `deadline` seconds this fails with `late` (a message, or a function
    that makes one) or a line naming `what`."""
    end = time.monotonic() + deadline
    while True:
        if alive is not None:
            alive()
        result = probe()
        if result:
            return result
        if time.monotonic() > end:
            if callable(late):
                late = late()
            raise Failure(late or "%s: not seen within %.0f s" % (what, deadline))
        time.sleep(interval)
