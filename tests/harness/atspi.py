"""A screen reader's side of AT-SPI for the tests: the tree of one
application and its events, read with pyatspi over the session's buses
(Session.start_buses)."""

import time

from .checks import STATE_DEADLINE

HEARD_EVENTS = ("object:property-change:accessible-name",
                 "object:property-change:accessible-description", "object:state-changed:focused",
                 "object:state-changed:showing", "window:create")


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
        pyatspi.Registry.registerEventListener(self._listener, *HEARD_EVENTS)

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

    def wait_event(self, what, match, deadline=STATE_DEADLINE):
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
