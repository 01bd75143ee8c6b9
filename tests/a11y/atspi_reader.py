"""A screen reader's side of AT-SPI for the tests: private buses, the tree of
one application and its events, read with pyatspi."""

import os
import signal
import subprocess
import time

import rallo2_e2e as e2e
from rallo2_e2e import Failure

BUS_DEADLINE = 20.0


class Buses:
    """A private D-Bus session bus with the accessibility bus on it."""

    def __init__(self, session):
        self.session = session
        self.procs = []

    def start(self):
        env = self.session.env
        daemon = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
            start_new_session=True, preexec_fn=e2e.die_with_parent(signal.SIGTERM))
        self.procs.append(daemon)
        address = daemon.stdout.readline().strip()
        if not address:
            raise Failure("dbus-daemon gave no address")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        env.pop("AT_SPI_BUS_ADDRESS", None)
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        end = time.monotonic() + BUS_DEADLINE
        while not self._a11y_address():
            if time.monotonic() > end:
                raise Failure("the accessibility bus did not come up within %.0f s"
                              % BUS_DEADLINE)
            time.sleep(0.1)
        self._spawn(["/usr/libexec/at-spi2-registryd"])
        # pyatspi reads the buses from this process's environment.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ["DISPLAY"] = self.session.display
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def _spawn(self, command):
        self.procs.append(subprocess.Popen(
            command, env=self.session.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True,
            preexec_fn=e2e.die_with_parent(signal.SIGTERM)))

    def _a11y_address(self):
        done = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=self.session.env, capture_output=True, text=True, timeout=10)
        return done.returncode == 0 and done.stdout.strip()

    def stop(self):
        for proc in reversed(self.procs):
            e2e.Session._stop(proc)


class Reader:
    """The screen reader's side: the tree and the events of one application."""

    def __init__(self, session):
        import pyatspi  # only once the buses are known
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.glib = GLib
        self.session = session
        self.events = []
        self._listener = lambda event: self.events.append(
            (event.type, role(event.source), name(event.source), event.any_data,
             event.detail1))
        pyatspi.Registry.registerEventListener(
            self._listener, "object:property-change:accessible-name",
            "object:property-change:accessible-description", "object:state-changed:focused",
            "object:state-changed:showing", "window:create")

    def pump(self, seconds=0.0):
        context = self.glib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if time.monotonic() >= end:
                return
            time.sleep(0.02)

    def app(self):
        def probe():
            self.pump()
            desktop = self.pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                app = desktop.getChildAtIndex(index)
                try:
                    if app is not None and app.get_process_id() == self.session.game.pid:
                        return app
                except Exception:  # an application going away while read
                    continue
            return None
        return self.session.wait_for("rallo2 on the accessibility bus", probe)

    def window(self, title):
        def probe():
            self.pump()
            for child in children(self.app()):
                if name(child) == title and "showing" in states(child):
                    return child
            return None
        return self.session.wait_for("the accessible window \"%s\"" % title, probe)

    def wait_event(self, what, match, deadline=e2e.STATE_DEADLINE):
        def probe():
            self.pump()
            return next((event for event in self.events if match(event)), None)
        return self.session.wait_for(what, probe, deadline)


# --- reading accessible objects ------------------------------------------------

def role(obj):
    try:
        return obj.getRoleName()
    except Exception:
        return "?"


def name(obj):
    try:
        return obj.name or ""
    except Exception:
        return "?"


def description(obj):
    try:
        return obj.description or ""
    except Exception:
        return "?"


def states(obj):
    import pyatspi
    try:
        return {pyatspi.stateToString(s) for s in obj.getState().getStates()}
    except Exception:
        return set()


def children(obj):
    try:
        return [obj.getChildAtIndex(i) for i in range(obj.childCount)]
    except Exception:
        return []


def extents(obj):
    import pyatspi
    try:
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (box.x, box.y, box.width, box.height)
    except Exception:
        return None


def walk(obj, depth=0, lines=None, menus=False):
    """The tree as a screen reader sees it, one object a line. Menus are
    shown as their bar and top items unless `menus`."""
    lines = [] if lines is None else lines
    shown = sorted(s for s in states(obj) if s in (
        "focusable", "focused", "showing", "visible", "enabled", "checked", "editable"))
    line = "%s%s \"%s\"" % ("  " * depth, role(obj), name(obj))
    if description(obj):
        line += " desc=\"%s\"" % description(obj)
    line += " [%s] %s" % (",".join(shown), extents(obj))
    lines.append(line)
    if role(obj) in ("menu", "menu item") and not menus and depth > 0:
        return lines
    for child in children(obj):
        walk(child, depth + 1, lines, menus)
    return lines


def find(obj, match):
    if match(obj):
        return obj
    for child in children(obj):
        found = find(child, match)
        if found is not None:
            return found
    return None
