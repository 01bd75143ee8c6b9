"""A screen reader that speaks: Orca with speech-dispatcher and espeak-ng on
the session's buses and sound server, and what it said, read back from its
debug log, whose SPEECH OUTPUT lines are exactly what it speaks.

    session.start_buses(); session.start_sound()
    reader = session.start(ScreenReader())
    ... reader.spoken() -> [Utterance(at, text), ...]
"""

import collections
import datetime
import os
import re
import signal
import time

from .checks import Failure, wait_for
from .process import Process

NEEDS = ("orca", "speech-dispatcher")
READY_DEADLINE = 60.0
# Orca's first words once it is listening.
READY_WORDS = "Screen reader on."
# What Orca logs when it is handed something that is not text.
BAD_CONTENT = "bad content sent to speak()"

Utterance = collections.namedtuple("Utterance", "at text")  # at: time.time()

_STAMP = r"^(\d\d):(\d\d):(\d\d\.\d+) - "
_SPOKEN = re.compile(_STAMP + r"SPEECH OUTPUT: '(.*)'\s*\{'established': \w+\}$")
_HEARD = re.compile(_STAMP + r"EVENT MANAGER: (\S+) for \[([^|\]]*) \| ([^\]]*)\] in")

# Orca writes its log through a buffer that is lost when it is stopped
# outright; line by line, the log is whole at any moment.
_LINE_BUFFERED_ORCA = """
import builtins, runpy, sys
log = sys.argv[1].split("=", 1)[1]
plain_open = builtins.open
def lined_open(file, mode="r", buffering=-1, *args, **kw):
    return plain_open(file, mode, 1 if file == log else buffering, *args, **kw)
builtins.open = lined_open
sys.argv[0] = "/usr/bin/orca"
runpy.run_path(sys.argv[0], run_name="__main__")
"""


class ScreenReader:
    """A service for Session.start, after start_buses() and start_sound()."""

    def __init__(self):
        self.env = {}
        self.log = None
        self.procs = []

    def start(self, session):
        folder = os.path.join(session.tmp, "reader")
        home = os.path.join(folder, "home")
        os.makedirs(home, exist_ok=True)
        socket = os.path.join(folder, "speechd.sock")
        env = dict(session.env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), GSETTINGS_BACKEND="memory",
                   SPEECHD_ADDRESS="unix_socket:" + socket)
        # Our own speech server, in the foreground, rather than one that the
        # reader would spawn and leave behind.
        self.procs.append(Process(
            ["speech-dispatcher", "--run-single", "--timeout", "0",
             "--communication-method", "unix_socket", "--socket-path", socket,
             "--pid-file", os.path.join(folder, "speechd.pid")],
            env, os.path.join(folder, "speechd.out"), on_parent_death=signal.SIGTERM))
        wait_for("the speech server's socket", lambda: os.path.exists(socket), READY_DEADLINE)
        self.log = os.path.join(folder, "orca.log")
        self.procs.append(Process(
            ["/usr/bin/python3", "-c", _LINE_BUFFERED_ORCA, "--debug-file=" + self.log],
            env, os.path.join(folder, "orca.out"), name="orca"))
        wait_for("Orca ready to speak", lambda: self._alive() and any(
            u.text == READY_WORDS for u in self.spoken()), READY_DEADLINE)

    def _alive(self):
        for proc in self.procs:
            proc.alive("while the screen reader was awaited")
        return True

    def lines(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read().splitlines()
        except (FileNotFoundError, TypeError):
            return []

    def spoken(self):
        """Every utterance so far, in order, with when it was spoken."""
        return [Utterance(at, text) for at, (text,) in self._stamped(_SPOKEN)]

    def heard(self, event, role, name):
        """When Orca received each `event` (an AT-SPI event type) from an
        object of `role` named `name`: the moment the game told it."""
        return [at for at, told in self._stamped(_HEARD) if told == (event, role, name)]

    def _stamped(self, pattern):
        found = []
        for line in self.lines():
            match = pattern.match(line)
            if match:
                hours, minutes, seconds, *rest = match.groups()
                found.append((_today_at(int(hours), int(minutes), float(seconds)), tuple(rest)))
        return found

    def spoken_after(self, moment):
        return [u for u in self.spoken() if u.at >= moment]

    def bad_content(self):
        return [line for line in self.lines() if BAD_CONTENT in line]

    def wait_said(self, session, what, match, after, deadline):
        """The first utterance after `after` (time.time()) that `match`es."""
        return session.wait_for(what, lambda: self._alive() and next(
            (u for u in self.spoken_after(after) if match(u.text)), None), deadline)

    def report(self):
        said = ["  %.3f %s" % (u.at, u.text) for u in self.spoken()[-30:]]
        return "Orca said:\n" + ("\n".join(said) or "  (nothing)")

    def stop(self):
        for proc in reversed(self.procs):
            proc.stop()


def _today_at(hours, minutes, seconds):
    """Orca stamps its lines with the time of day; the day is the nearest one."""
    now = datetime.datetime.now()
    stamp = now.replace(hour=hours, minute=minutes, second=0, microsecond=0)
    stamp += datetime.timedelta(seconds=seconds)
    if (stamp - now).total_seconds() > 12 * 3600:
        stamp -= datetime.timedelta(days=1)
    return time.mktime(stamp.timetuple()) + stamp.microsecond / 1e6

