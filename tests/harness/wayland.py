"""A Wayland compositor of our own: sway on its headless backend, without
Xwayland, in a private runtime folder, with a virtual keyboard and mouse
(virtual_input.py), windows read over its IPC and screenshots by grim.

`csd=True` has the compositor ask the game to draw its own title bar, as
GNOME's does; otherwise sway draws it, as KDE Plasma's does. sway refuses
to run as root, so under root it runs as the unprivileged user `nobody`.
Same methods as Xvfb (xvfb.py), so a Session can draw on either."""

import glob
import json
import os
import pwd
import shutil
import signal
import subprocess
import tempfile
import time

from .checks import Failure, wait_for
from .process import Process
from .shot import Shot
from .virtual_input import VirtualInput
from .xvfb import KEY_DELAY_MS, SCREEN, TOOL_TIMEOUT_S

READY_DEADLINE = 20.0
APP_ID = "org.rallo2.Rallo2"
# The empty desktop: a colour the game never draws, so any of it inside a
# window is a part the game left unpainted.
DESKTOP = (128, 0, 128)
UNPRIVILEGED = "nobody"
# A typist's pace between keys, as xdotool keeps on X.
KEY_PACE_S = int(KEY_DELAY_MS) / 1000.0
# A hand's pace between the pointer's moves in a drag.
DRAG_PACE_S = 0.05


class Sway:
    NEEDS = ("sway", "swaymsg", "grim", "setpriv")

    def __init__(self, screen=SCREEN, csd=False):
        self.screen = screen
        self.csd = csd
        self.server = None
        self.input = None
        self.name = None
        self.env = {}
        self.runtime = None
        self.tools_env = None

    def start(self, session):
        # The compositor's own runtime folder, where it puts its sockets; the
        # game keeps the session's, and finds the compositor by the path.
        self.runtime = tempfile.mkdtemp(prefix="rallo2-sway-")
        run_as = []
        if os.geteuid() == 0:
            user = pwd.getpwnam(UNPRIVILEGED)
            os.chown(self.runtime, user.pw_uid, user.pw_gid)
            # A new user clears the signal a driver's death sends: set it again.
            run_as = ["setpriv", "--reuid=%d" % user.pw_uid, "--regid=%d" % user.pw_gid,
                      "--clear-groups", "--pdeathsig", "TERM"]
        config = os.path.join(self.runtime, "config")
        with open(config, "w") as f:
            f.write(self._config())
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.runtime,
               "XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "headless",
               "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        self.server = Process(run_as + ["sway", "--config", config], env,
                              os.path.join(session.tmp, "sway.log"), "sway",
                              on_parent_death=signal.SIGTERM)
        socket_path = wait_for("sway's Wayland socket", lambda: self._socket("wayland-*[0-9]"),
                               READY_DEADLINE, interval=0.05, alive=self._alive)
        self.ipc = wait_for("sway's IPC socket", lambda: self._socket("sway-ipc.*.sock"),
                            READY_DEADLINE, interval=0.05, alive=self._alive)
        self.name = os.path.basename(socket_path)
        # Plugged in before the game starts, so that its seat has a keyboard.
        self.input = VirtualInput(socket_path, self.screen)
        self.env = {"WAYLAND_DISPLAY": socket_path, "QT_QPA_PLATFORM": "wayland"}
        self.tools_env = dict(session.env, **self.env)

    def _config(self):
        lines = ["xwayland disable",
                 "output HEADLESS-1 resolution %dx%d background #%02x%02x%02x solid_color"
                 % (self.screen + DESKTOP)]
        if self.csd:
            lines.append('for_window [app_id="%s"] border csd' % APP_ID)
        return "\n".join(lines) + "\n"

    def _socket(self, pattern):
        found = glob.glob(os.path.join(self.runtime, pattern))
        return found[0] if found else None

    def _alive(self):
        self.server.alive("while it started")

    def stop(self):
        if self.input is not None:
            self.input.close()
        if self.server is not None:
            self.server.stop()
        if self.runtime is not None:
            shutil.rmtree(self.runtime, ignore_errors=True)

    def report(self):
        return "sway said last: " + "\n".join(self.server.output().splitlines()[-5:])

    # --- windows over IPC ------------------------------------------------------

    def msg(self, kind, command=None):
        done = subprocess.run(["swaymsg", "--socket", self.ipc, "--raw", "--type", kind]
                              + ([command] if command else []),
                              capture_output=True, text=True, timeout=TOOL_TIMEOUT_S)
        if done.returncode != 0:
            raise Failure("swaymsg %s failed: %s" % (kind, done.stderr.strip() or done.stdout))
        return json.loads(done.stdout)

    def views(self):
        """Every window on the screen, as sway's tree nodes."""
        found, nodes = [], [self.msg("get_tree")]
        while nodes:
            node = nodes.pop()
            if node.get("pid") is not None:
                found.append(node)
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return found

    def windows(self, pid, title):
        return [v["id"] for v in self.views()
                if v["pid"] == pid and v.get("name") == title and v.get("visible")]

    def popups(self, pid):
        raise Failure("a compositor does not list a program's menus; watch the screen instead")

    def geometry(self, window):
        """The window as the program draws it, its own title bar included."""
        for view in self.views():
            if view["id"] == window:
                outer, inner = view["rect"], view["window_rect"]
                return (outer["x"] + inner["x"], outer["y"] + inner["y"],
                        inner["width"], inner["height"])
        raise Failure("no window %d on the screen" % window)

    def request_focus(self, window):
        self.msg("command", "[con_id=%d] focus" % window)

    def focused(self):
        return next((str(v["id"]) for v in self.views() if v.get("focused")), "")

    # --- input and the screen ---------------------------------------------------

    def key(self, *keys):
        for combo in keys:
            self.input.tap(combo)
            time.sleep(KEY_PACE_S)

    def hold(self, key, down):
        self.input.hold(key, down)

    def click(self, point):
        self.input.click(point)

    def drag(self, start, step, moved):
        """Presses the left button at `start` and moves the pointer on by
        `step` (dx, dy) at a time until `moved()` says the drag took (the
        compositor takes over only once the program asks it to), then
        releases it there."""
        self.input.press(start)
        at = start

        def probe():
            nonlocal at
            at = (min(at[0] + step[0], self.screen[0] - 1),
                  min(at[1] + step[1], self.screen[1] - 1))
            self.input.move(at)
            return moved()

        try:
            wait_for("a drag from %s to move its window" % (start,), probe, READY_DEADLINE,
                     interval=DRAG_PACE_S)
        finally:
            self.input.press(at, False)

    def run(self, *command, check=True, text=True):
        """A tool run on this desktop; returns what it printed."""
        done = subprocess.run(command, env=self.tools_env, capture_output=True, text=text,
                              timeout=TOOL_TIMEOUT_S)
        if check and done.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(command), done.stderr))
        return done.stdout

    def shoot(self):
        return Shot(self.run("grim", "-t", "ppm", "-", text=False))
