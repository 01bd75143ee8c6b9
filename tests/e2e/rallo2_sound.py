#!/usr/bin/env python3
"""Listens to Rallo2 the way a player hears it.

Each case starts its own PulseAudio server with only a null sink, on a
private socket, runs the real game under Xvfb against it, presses Play and
records the sink's monitor while the screen shows the ball's first bounce.
With Sound On a burst of the bell must arrive by then; after Options >
Sound > Off the same span must stay silent. Everything started here is
ended here, also when a check fails.
"""

import argparse
import math
import os
import shutil
import signal
import subprocess
import sys
import threading
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
import rallo2_e2e as e2e  # noqa: E402  (the same X server, window and key handling)
from rallo2_e2e import Failure, expect  # noqa: E402

RATE = 44100  # samples a second, one channel, s16le
SINK = "rallo_null"
# A sound a player hears: a sample above -40 dBFS.
LOUD = math.ceil(32768 * 10 ** (-40 / 20))
SERVER_DEADLINE = 10.0
# Past the moment the screen shows a bounce, the time its sound may take to
# come: the screen is read every few tenths of a second, the bell starts
# within milliseconds.
BOUNCE_MARGIN_S = 0.5
# Less than this between two screens is taken for no move.
TURN_PX = 2
LONG_GAME = "9"  # balls: a run with no bounce at all is then all but impossible


def now_ns():
    return time.monotonic_ns()  # CLOCK_MONOTONIC, the clock the game's probes use


class SoundServer:
    """A PulseAudio server of our own: one null sink, a native-protocol
    socket in a private folder, its runtime and state there too."""

    def __init__(self, folder):
        self.folder = folder
        self.socket = os.path.join(folder, "native")
        self.proc = None
        for sub in ("runtime", "state", "home"):
            os.makedirs(os.path.join(folder, sub), mode=0o700, exist_ok=True)
        script = os.path.join(folder, "server.pa")
        with open(script, "w") as f:
            f.write("load-module module-null-sink sink_name=%s\n" % SINK)
            f.write("load-module module-native-protocol-unix socket=%s auth-anonymous=1\n"
                    % self.socket)
            f.write("set-default-sink %s\n" % SINK)
        client = os.path.join(folder, "client.conf")
        with open(client, "w") as f:
            f.write("autospawn = no\n")
        self.script = script
        self.log_path = os.path.join(folder, "pulseaudio.log")
        self.env = {
            "PULSE_SERVER": "unix:" + self.socket,
            "PULSE_CLIENTCONFIG": client,
            "PULSE_RUNTIME_PATH": os.path.join(folder, "runtime"),
            "PULSE_STATE_PATH": os.path.join(folder, "state"),
        }

    def start(self):
        env = dict(os.environ)
        env.update(self.env)
        env.pop("PULSE_SERVER")
        env.update({"HOME": os.path.join(self.folder, "home"),
                    "XDG_RUNTIME_DIR": os.path.join(self.folder, "runtime"),
                    "XDG_CONFIG_HOME": os.path.join(self.folder, "home")})
        log = open(self.log_path, "w")
        # Run as root it warns, but serves; --system would want a system user.
        self.proc = subprocess.Popen(
            ["pulseaudio", "-n", "-F", self.script, "--daemonize=no", "--system=no",
             "--exit-idle-time=-1", "--use-pid-file=no", "--log-target=stderr"],
            env=env, stdout=log, stderr=subprocess.STDOUT, start_new_session=True,
            preexec_fn=e2e.die_with_parent(signal.SIGTERM))
        log.close()
        end = time.monotonic() + SERVER_DEADLINE
        while not os.path.exists(self.socket):
            if self.proc.poll() is not None or time.monotonic() > end:
                raise Failure("PulseAudio did not start: %s" % self.log())
            time.sleep(0.05)

    def log(self):
        try:
            with open(self.log_path) as f:
                return f.read().strip() or "(no output)"
        except FileNotFoundError:
            return "(no log)"

    def stop(self):
        e2e.Session._stop(self.proc)


class Recording:
    """The sink's monitor as parec delivers it, each chunk stamped with the
    monotonic time it arrived. The null sink runs on the system clock, so
    sample n belongs at about origin + n / RATE, the origin the earliest the
    arrivals allow. The sink renders a little ahead, so these times may be
    a few milliseconds early: good for spans of seconds, not for latency."""

    def __init__(self, server):
        self.samples = bytearray()
        self.arrivals = []  # (monotonic ns, samples so far)
        self.proc = subprocess.Popen(
            ["parec", "--device=%s.monitor" % SINK, "--raw", "--format=s16le",
             "--rate=%d" % RATE, "--channels=1", "--latency-msec=5"],
            env=dict(os.environ, **server.env), stdout=subprocess.PIPE,
            stderr=subprocess.PIPE, start_new_session=True,
            preexec_fn=e2e.die_with_parent())
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        end = time.monotonic() + SERVER_DEADLINE
        while not self.arrivals:
            if self.proc.poll() is not None or time.monotonic() > end:
                raise Failure("parec recorded nothing: %s"
                              % (self.proc.stderr.read().decode().strip()
                                 if self.proc.poll() is not None else "no data"))
            time.sleep(0.01)

    def _read(self):
        out = self.proc.stdout
        while True:
            chunk = os.read(out.fileno(), 4096)
            if not chunk:
                return
            self.samples += chunk
            self.arrivals.append((now_ns(), len(self.samples) // 2))

    def stop(self):
        e2e.Session._stop(self.proc)
        self.reader.join(5)

    def origin_ns(self):
        return min(t - n * 1_000_000_000 // RATE for t, n in self.arrivals)

    def time_of(self, index):
        return self.origin_ns() + index * 1_000_000_000 // RATE

    def loud_from(self, start_ns, end_ns=None):
        """The first sample above -40 dBFS at or after start_ns (and before
        end_ns): its index, or None."""
        origin = self.origin_ns()
        first = max(0, (start_ns - origin) * RATE // 1_000_000_000)
        last = len(self.samples) // 2
        if end_ns is not None:
            last = min(last, (end_ns - origin) * RATE // 1_000_000_000 + 1)
        view = memoryview(bytes(self.samples)).cast("h")
        for i in range(first, last):
            if abs(view[i]) >= LOUD:
                return i
        return None

    def peak_dbfs(self, start_ns, end_ns):
        origin = self.origin_ns()
        first = max(0, (start_ns - origin) * RATE // 1_000_000_000)
        last = min(len(self.samples) // 2, (end_ns - origin) * RATE // 1_000_000_000 + 1)
        view = memoryview(bytes(self.samples)).cast("h")
        peak = max((abs(view[i]) for i in range(first, last)), default=0)
        return -math.inf if peak == 0 else 20 * math.log10(peak / 32768)


# --- the game ---------------------------------------------------------------------


def set_game_length(session, balls):
    """Options > Play game to..., as the length-dialog scenario types it."""
    e2e.menu_key(session, "alt+o", 1)
    session.key("Up")  # round to the last item, "Play game to..."
    session.key("Return")
    dialog = session.find_window(e2e.DIALOG_TITLE, deadline=e2e.STATE_DEADLINE)
    session.focus(dialog)
    session.key("ctrl+a", *balls, "Return")
    session.wait_for("the play window back after the dialog",
                     lambda: session.windows(e2e.PLAY_TITLE))
    session.focus(session.window)
    session.locate_client()


def sound_off(session):
    """Options > Sound > Off with the keyboard: up from the menu's end past
    "Play game to...", then into the submenu, whose first item is On."""
    e2e.menu_key(session, "alt+o", 1)
    session.key("Up", "Up")  # "Play game to...", then "Sound"
    e2e.menu_key(session, "Right", 2)
    session.key("Down")  # "Off"
    e2e.menu_key(session, "Return", 0)


def first_bounce(session, deadline):
    """Watches the ball until it turns off a wall or the paddle; returns the
    monotonic time of the first screen that shows it turned. A ball put back
    at its serve place after a miss is no bounce."""
    home = (e2e.BALL_HOME[0] + e2e.BALL_HOME[2] / 2, e2e.BALL_HOME[1] + e2e.BALL_HOME[3] / 2)
    end = time.monotonic() + deadline
    previous, heading = None, [0, 0]  # the last seen direction across and down
    while time.monotonic() < end:
        session.alive()
        seen = now_ns()
        ball = session.ball(session.shoot(), e2e.ONE_PLAYER_COURT)
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


def play_and_listen(session, server, options=None):
    """From a fresh start: the options, a long game, Play; then the
    recording, the time Play was clicked and the end of the span that must
    hold the first bounce's sound."""
    session.start_x()
    session.start_game(server.env)
    session.open_play_window()
    if options:
        options(session)
    set_game_length(session, LONG_GAME)
    recording = Recording(server)
    try:
        pressed = now_ns()
        session.click(session.centre(e2e.PLAY_BUTTON))
        bounced = first_bounce(session, e2e.GAME_DEADLINE / 6)
        time.sleep(BOUNCE_MARGIN_S)
    finally:
        recording.stop()
    return recording, pressed, bounced + int(BOUNCE_MARGIN_S * 1e9)


def case_sound_on(session, server):
    recording, pressed, until = play_and_listen(session, server)
    loud = recording.loud_from(pressed, until)
    expect(loud is not None,
           "no sound above -40 dBFS from Play to past the first bounce (%.1f s; peak %.1f dBFS)"
           % ((until - pressed) / 1e9, recording.peak_dbfs(pressed, until)))
    print("first sound %.2f s after Play; first bounce seen by %.2f s"
          % ((recording.time_of(loud) - pressed) / 1e9,
             (until - pressed) / 1e9 - BOUNCE_MARGIN_S))


def case_sound_off(session, server):
    recording, pressed, until = play_and_listen(session, server, sound_off)
    loud = recording.loud_from(pressed, until)
    expect(loud is None, "a sound %.2f s after Play with Sound Off (peak %.1f dBFS)"
           % ((recording.time_of(loud) - pressed) / 1e9 if loud is not None else 0,
              recording.peak_dbfs(pressed, until)))
    print("silent from Play to past the first bounce, %.1f s (peak %s dBFS)"
          % ((until - pressed) / 1e9, "%.1f" % recording.peak_dbfs(pressed, until)))


CASES = {"sound_on": case_sound_on, "sound_off": case_sound_off}


class SoundSession(e2e.Session):
    """A session with a sound server of its own, stopped after the game."""

    def __init__(self, args, name):
        super().__init__(args, name)
        self.server = SoundServer(os.path.join(self.tmp, "pulse"))

    def close(self):
        self._stop(self.game)
        self.server.stop()
        super().close()

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--game", required=True, help="the rallo2 program")
    parser.add_argument("--shots", help="folder for screenshots of failures")
    parser.add_argument("case", nargs="*", help="cases to run (default: all): "
                        + ", ".join(CASES))
    args = parser.parse_args()
    unknown = [name for name in args.case if name not in CASES]
    if unknown:
        parser.error("unknown case: " + ", ".join(unknown))
    for tool in ("Xvfb", "xdotool", "import", "pulseaudio", "parec"):
        if shutil.which(tool) is None:
            print("FAIL: %s is not installed (scripts/install-deps installs it)" % tool)
            return 1
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(2))

    session_args = argparse.Namespace(game=args.game, game_arg=[], shots=args.shots,
                                      window_timeout=e2e.WINDOW_DEADLINE)

    def run_one(name, session):
        session.server.start()
        CASES[name](session, session.server)

    return e2e.run_each(args.case or list(CASES), run_one,
                        lambda name: SoundSession(session_args, name),
                        lambda session: "the sound server said: " + session.server.log())


if __name__ == "__main__":
    sys.exit(main())
