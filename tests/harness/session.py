"""One test case's world: a private folder, a display, the buses and sound
server a case asks for, and the game, all ended by close(), last first."""

import functools
import os
import shutil
import tempfile

from .buses import Buses
from .checks import STATE_DEADLINE, WINDOW_DEADLINE, wait_for
from .play_window import PLAY_TITLE, PlayWindow
from .process import Process
from .sound import SoundServer
from .wayland import Sway
from .xvfb import SCREEN, Xvfb

# The kinds of display a session can draw on, by name.
DISPLAYS = {"xvfb": Xvfb, "sway": Sway, "sway-csd": functools.partial(Sway, csd=True)}
# Variables of the driver's own desktop that would lead a program there.
DESKTOP_VARIABLES = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY",
                     "AT_SPI_BUS_ADDRESS")


class Session:
    """Configured with keywords: `game` (the program; default the build's
    rallo2), `game_args`, `sim` (rallo2-sim, for the court's places; default
    beside the game), `build` (the build folder), `shots` (where screenshots
    are kept), `window_timeout`, `display` (a key of DISPLAYS), `screen`."""

    def __init__(self, name, *, game=None, game_args=(), sim=None, build=None, shots=None,
                 window_timeout=WINDOW_DEADLINE, display="xvfb", screen=SCREEN):
        self.name = name
        self.build = build
        game = game or (build and os.path.join(build, "rallo2"))
        self.game_command = [game, *game_args] if game else None
        self.sim = sim or (game and os.path.join(os.path.dirname(os.path.abspath(game)),
                                                 "rallo2-sim"))
        self.shots = shots
        self.window_timeout = window_timeout
        self.screen = screen
        self.tmp = tempfile.mkdtemp(prefix="rallo2-%s-" % name)
        self.display = DISPLAYS[display](screen)
        self.started = []  # what close() stops, in the order it started
        self.game = None
        self.play = None
        self.last_shot = None
        self.env = {k: v for k, v in os.environ.items() if k not in DESKTOP_VARIABLES}
        runtime = os.path.join(self.tmp, "runtime")
        os.mkdir(runtime, 0o700)
        self.env["XDG_RUNTIME_DIR"] = runtime
        # The game's beeps reach no sound server unless a case starts one:
        # none rings on the machine's speakers, none spawns a daemon.
        self.env.update({"PULSE_SERVER": "unix:" + os.path.join(self.tmp, "no-sound-server"),
                         "CANBERRA_DRIVER": "pulse"})
        # Nor a session bus: without one, D-Bus would launch its own through
        # the X server, and Qt's menu bar waits on it at start-up, sometimes
        # for good.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(self.tmp, "no-bus")

    # --- what a case starts ------------------------------------------------

    def start(self, service):
        """Starts a display, bus or server (anything with start(session),
        env and stop()); later programs get its env."""
        self.started.append(service)
        service.start(self)
        self.env.update(service.env)
        return service

    def start_display(self):
        if self.display not in self.started:
            self.start(self.display)
        return self.display

    def start_buses(self):
        """A private D-Bus session bus with the accessibility bus on it."""
        self.start_display()
        return self.start(Buses())

    def start_sound(self):
        """A PulseAudio server of our own with one null sink."""
        return self.start(SoundServer())

    def start_program(self, command, env=None, name=None, log=None):
        self.start_display()
        process = Process(command, dict(self.env, **(env or {})), log, name)
        self.started.append(process)
        return process

    def start_game(self, env=None, command=None):
        """The game (or `command`) with the session's env and `env`; its
        output is kept for the report."""
        log = os.path.join(self.tmp, "game-%d.log" % len(self.started))
        self.game = self.start_program(command or self.game_command, env, "rallo2", log)
        return self.game

    # --- waiting and windows -------------------------------------------------

    def alive(self):
        if self.game is not None:
            self.game.alive()

    def wait_for(self, what, probe, deadline=STATE_DEADLINE, interval=0.1):
        """Polls `probe` until it returns something truthy; fails if the game
        ends meanwhile or after `deadline` seconds."""
        return wait_for(what, probe, deadline, interval, alive=self.alive)

    def windows(self, title):
        return self.display.windows(self.game.pid, title)

    def popups(self):
        return self.display.popups(self.game.pid)

    def find_window(self, title, deadline=None):
        deadline = deadline or self.window_timeout
        return wait_for(
            "the window \"%s\"" % title, lambda: (self.windows(title) or [None])[0], deadline,
            interval=0.2, alive=lambda: self.game.alive("before its window \"%s\" appeared"
                                                        % title),
            late="the window \"%s\" never appeared within %.0f s (rallo2 pid %d on display %s)"
            % (title, deadline, self.game.pid, self.display.name))

    def focus(self, window):
        self.display.request_focus(window)
        self.wait_for("keyboard focus on window %d" % window,
                      lambda: self.display.focused() == str(window))

    def open_play_window(self):
        """Finds the play window, gives it the keyboard and finds its court."""
        self.play = PlayWindow(self, self.find_window(PLAY_TITLE))
        self.focus(self.play.window)
        self.play.locate()
        return self.play

    # --- input and the screen -------------------------------------------------

    def key(self, *keys):
        self.display.key(*keys)

    def hold(self, key, down=True):
        self.display.hold(key, down)

    def click(self, point):
        self.display.click(point)

    def geometry(self, window):
        return self.display.geometry(window)

    def shoot(self):
        self.last_shot = self.display.shoot()
        return self.last_shot

    def keep(self, label, shot=None):
        """Keeps a screenshot as PNG in the shots folder; returns its path."""
        shot = shot or self.last_shot
        if shot is None or not self.shots:
            return None
        os.makedirs(self.shots, exist_ok=True)
        path = os.path.join(self.shots, "%s-%s.png" % (self.name, label))
        shot.save_png(path)
        return path

    def keep_failure(self):
        """The screen as the failure left it, else the last screenshot."""
        if self.display in self.started and self.shots:
            try:
                self.shoot()
            except Exception:  # a dead server: keep what was seen last
                pass
        return self.keep("failure")

    # --- the end ----------------------------------------------------------------

    def report(self):
        """What the game and the servers said, for a failure's report."""
        lines = []
        if self.game is not None and self.game.output():
            lines.append("rallo2 said: " + self.game.output())
        lines += [s.report() for s in self.started if getattr(s, "report", None)]
        return lines

    def close(self):
        for service in reversed(self.started):
            service.stop()
        shutil.rmtree(self.tmp, ignore_errors=True)
