"""A PulseAudio server of our own with only a null sink, on a private
socket, and recordings of that sink as a listener hears it."""

import math
import os
import signal
import subprocess
import threading
import time

from .checks import Failure, wait_for
from .process import Process

NEEDS = ("pulseaudio", "parec")
RATE = 44100  # samples a second, one channel, s16le
SINK = "rallo_null"
# A sound a player hears: a sample above -40 dBFS.
LOUD = math.ceil(32768 * 10 ** (-40 / 20))
SERVER_DEADLINE = 10.0
RECORD_LATENCY_MS = 5


def now_ns():
    return time.monotonic_ns()  # CLOCK_MONOTONIC, the clock the game's probes use


class SoundServer:
    """One null sink, a native-protocol socket, its runtime and state in a
    private folder; its `env` leads programs to it."""

    def __init__(self):
        self.server = None
        self.env = {}
        self.log = None

    def start(self, session):
        folder = os.path.join(session.tmp, "pulse")
        for sub in ("runtime", "state", "home"):
            os.makedirs(os.path.join(folder, sub), mode=0o700, exist_ok=True)
        socket = os.path.join(folder, "native")
        script = os.path.join(folder, "server.pa")
        with open(script, "w") as f:
            f.write("load-module module-null-sink sink_name=%s\n" % SINK)
            f.write("load-module module-native-protocol-unix socket=%s auth-anonymous=1\n"
                    % socket)
            f.write("set-default-sink %s\n" % SINK)
        client = os.path.join(folder, "client.conf")
        with open(client, "w") as f:
            f.write("autospawn = no\n")
        own = {"PULSE_CLIENTCONFIG": client,
               "PULSE_RUNTIME_PATH": os.path.join(folder, "runtime"),
               "PULSE_STATE_PATH": os.path.join(folder, "state")}
        env = dict(session.env, **own, HOME=os.path.join(folder, "home"),
                   XDG_RUNTIME_DIR=os.path.join(folder, "runtime"),
                   XDG_CONFIG_HOME=os.path.join(folder, "home"))
        env.pop("PULSE_SERVER")
        self.log = os.path.join(folder, "pulseaudio.log")
        # Run as root it warns, but serves; --system would want a system user.
        self.server = Process(
            ["pulseaudio", "-n", "-F", script, "--daemonize=no", "--system=no",
             "--exit-idle-time=-1", "--use-pid-file=no", "--log-target=stderr"],
            env, self.log, "pulseaudio", on_parent_death=signal.SIGTERM)
        wait_for("PulseAudio's socket", lambda: os.path.exists(socket), SERVER_DEADLINE, 0.05,
                 alive=lambda: self.server.alive("at start-up"),
                 late=lambda: "PulseAudio did not start: " + self.server.output())
        self.env = dict(own, PULSE_SERVER="unix:" + socket)

    def report(self):
        return "the sound server said: " + (self.server.output() if self.server else "")

    def stop(self):
        if self.server is not None:
            self.server.stop()


class Recording:
    """The sink's monitor as parec delivers it, each chunk stamped with the
    monotonic time it arrived. The null sink runs on the system clock, so
    sample n belongs at about origin + n / RATE, the origin the earliest the
    arrivals allow. The sink renders a little ahead, so these times may be
    a few milliseconds early: good for spans of seconds, not for latency."""

    def __init__(self, session):
        self.samples = bytearray()
        self.arrivals = []  # (monotonic ns, samples so far)
        self.parec = Process(
            ["parec", "--device=%s.monitor" % SINK, "--raw", "--format=s16le",
             "--rate=%d" % RATE, "--channels=1", "--latency-msec=%d" % RECORD_LATENCY_MS],
            session.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

        def alive():
            if self.parec.returncode is not None:
                raise Failure("parec recorded nothing: %s"
                              % self.parec.proc.stderr.read().decode().strip())

        wait_for("the recording", lambda: self.arrivals, SERVER_DEADLINE, 0.01, alive,
                 late="parec recorded nothing: no data")

    def _read(self):
        out = self.parec.proc.stdout
        while True:
            chunk = os.read(out.fileno(), 4096)
            if not chunk:
                return
            self.samples += chunk
            self.arrivals.append((now_ns(), len(self.samples) // 2))

    def stop(self):
        self.parec.stop()
        self.reader.join(5)

    def origin_ns(self):
        return min(t - n * 1_000_000_000 // RATE for t, n in self.arrivals)

    def time_of(self, index):
        return self.origin_ns() + index * 1_000_000_000 // RATE

    def index_at(self, ns):
        """The sample due at monotonic `ns`, within the recording."""
        index = (ns - self.origin_ns()) * RATE // 1_000_000_000
        return max(0, min(len(self.samples) // 2, index))

    def view(self):
        return memoryview(bytes(self.samples)).cast("h")

    def loud_from(self, start_ns, end_ns=None):
        """The first sample above -40 dBFS at or after start_ns (and before
        end_ns): its index, or None."""
        view = self.view()
        last = len(view) if end_ns is None else self.index_at(end_ns) + 1
        return next((i for i in range(self.index_at(start_ns), min(last, len(view)))
                     if abs(view[i]) >= LOUD), None)

    def peak_dbfs(self, start_ns, end_ns):
        view = self.view()
        span = range(self.index_at(start_ns), min(len(view), self.index_at(end_ns) + 1))
        peak = max((abs(view[i]) for i in span), default=0)
        return -math.inf if peak == 0 else 20 * math.log10(peak / 32768)
