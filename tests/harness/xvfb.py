"""A display of our own: Xvfb, and the X tools that act on it (xdotool for
windows, keys and clicks; ImageMagick for screenshots).

A display is started with `start(session)` and ended with `stop()`; its
`env` tells the programs started after it where to draw. A Wayland
compositor can stand in for it with the same methods."""

import os
import re
import signal
import subprocess

from .checks import Failure, wait_for
from .process import Process
from .shot import Shot

SCREEN = (1024, 768)
DISPLAYS = range(90, 100)  # tried first, so that a test's server is easy to spot
READY_DEADLINE = 20.0
TOOL_TIMEOUT_S = 60
KEY_DELAY_MS = "40"
_GAVE_UP = object()


class Xvfb:
    NEEDS = ("Xvfb", "xdotool", "import", "convert", "xwininfo")

    def __init__(self, screen=SCREEN):
        self.screen = screen
        self.server = None
        self.name = None
        self.env = {}
        self.tools_env = None

    def start(self, session):
        """Xvfb on the first free display of :90 to :99, else any free one.
        -displayfd tells when the server is ready and which display it took."""
        free = [n for n in DISPLAYS if not os.path.exists("/tmp/.X%d-lock" % n)]
        for display in free + [None]:
            read_end, write_end = os.pipe()
            command = ["Xvfb"] + ([":%d" % display] if display is not None else []) + [
                "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % self.screen,
                "-nolisten", "tcp", "-noreset"]
            server = Process(command, session.env, os.path.join(session.tmp, "xvfb.log"),
                             pass_fds=(write_end,), on_parent_death=signal.SIGTERM)
            os.close(write_end)
            number = self._display_number(read_end, server)
            os.close(read_end)
            if number is not None:
                self.server, self.name = server, ":%s" % number
                break
            server.stop()
        if self.server is None:
            raise Failure("could not start Xvfb on any display")
        self.env = {"DISPLAY": self.name, "QT_QPA_PLATFORM": "xcb"}
        self.tools_env = dict(session.env, **self.env)

    @staticmethod
    def _display_number(fd, server):
        text = b""
        os.set_blocking(fd, False)

        def probe():
            nonlocal text
            try:
                chunk = os.read(fd, 64)
            except BlockingIOError:
                chunk = None
            text += chunk or b""
            if text.endswith(b"\n"):
                return text.decode().strip()
            if chunk == b"" or server.returncode is not None:
                return _GAVE_UP  # the display was taken, or the server died
            return None

        try:
            number = wait_for("Xvfb's display", probe, READY_DEADLINE, interval=0.05)
        except Failure:
            return None
        return None if number is _GAVE_UP else number

    def stop(self):
        if self.server is not None:
            self.server.stop()

    # --- X tools -----------------------------------------------------------

    def run(self, *command, check=True):
        done = subprocess.run(command, env=self.tools_env, capture_output=True, text=True,
                              timeout=TOOL_TIMEOUT_S)
        if check and done.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(command), done.stderr.strip()))
        return done.stdout

    def xdo(self, *args, check=True):
        return self.run("xdotool", *args, check=check)

    def shoot(self):
        return Shot(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                   env=self.tools_env, capture_output=True,
                                   timeout=TOOL_TIMEOUT_S).stdout)

    def windows(self, pid, title):
        out = self.xdo("search", "--all", "--onlyvisible", "--pid", str(pid),
                       "--name", "^%s$" % re.escape(title), check=False)
        return [int(w) for w in out.split()]

    def popups(self, pid):
        """The program's open menus: its visible windows that bypass the window
        manager (override-redirect), as pop-up menus do."""
        out = self.xdo("search", "--onlyvisible", "--pid", str(pid), check=False)
        return [w for w in out.split()
                if "Override Redirect State: yes" in self.run("xwininfo", "-id", w, check=False)]

    def geometry(self, window):
        out = self.xdo("getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def request_focus(self, window):
        self.xdo("windowfocus", str(window))

    def focused(self):
        return self.xdo("getwindowfocus", check=False).strip()

    def key(self, *keys):
        self.xdo("key", "--delay", KEY_DELAY_MS, *keys)

    def hold(self, key, down):
        self.xdo("keydown" if down else "keyup", key)

    def click(self, point):
        self.xdo("mousemove", str(point[0]), str(point[1]), "click", "1")
