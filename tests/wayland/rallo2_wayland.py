#!/usr/bin/env python3
"""Plays Rallo2 natively on a Wayland desktop, the way a person does.

Each case starts its own headless sway (tests/harness/wayland.py) and the
game on it, presses real keys through the compositor's virtual keyboard, and
reads the screen back with grim: once with the title bar drawn by the
compositor, once with the title bar drawn by the game, as GNOME asks; there
the bars are also read over AT-SPI, as a screen reader reads them, and used
with the mouse.
"""

import functools
import os
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import (BLUE, DIALOG_TITLE, GAME_DEADLINE, PLAY_TITLE, expect,  # noqa: E402
                     runner)
from harness.atspi import Reader, children, extents, find, name  # noqa: E402
from harness.buses import NEEDS as BUSES_NEEDS  # noqa: E402
from harness.wayland import DESKTOP, Sway  # noqa: E402

BOX_TITLE = "Rallo2"  # a message box's
# How long a paused ball must keep its place to count as held.
HELD_S = 1.0
# Pixels into the court from its top-left corner: under an open Options menu.
MENU_PROBE = 20
# What the game's own title bar offers: a fixed-size window has no maximise.
BAR_BUTTONS = ["Minimize", "Close"]
# A drag's step, right and down, in pixels.
DRAG_STEP = (4, 2)


def unpainted(session, window, top):
    """Points of the empty desktop inside `window` from screen row `top` down."""
    x, y, w, h = session.geometry(window)
    return len(session.shoot().points((x, top, w, y + h - top), DESKTOP))


def expect_painted(session, window, top, what):
    session.wait_for("%s painted in full (no desktop showing through)" % what,
                     lambda: unpainted(session, window, top) == 0)


def menu_open(session, play):
    """A compositor does not list a program's menus: an open one covers the
    court's top-left corner, just below the menu bar."""
    left, top, _, _ = play.court()
    return session.shoot().pixel(*play.at(left + MENU_PROBE, top + MENU_PROBE)) != BLUE


def open_dialog(session, play):
    """Options > Play game to...: the dialog alone on the screen, painted."""
    session.key("alt+o")
    session.wait_for("the Options menu open", lambda: menu_open(session, play))
    session.key("Up", "Return")  # round to the last item, "Play game to..."
    dialog = session.find_window(DIALOG_TITLE)
    session.wait_for("the play window hidden", lambda: not session.windows(PLAY_TITLE))
    x, y, w, h = session.geometry(dialog)
    expect_painted(session, dialog, y + h // 2, "the dialog")
    return dialog


def back_from_dialog(session, play, size, label):
    """The play window shown again: focused, the same size, painted in full,
    its buttons up."""
    play.window = session.find_window(PLAY_TITLE)  # a new window to the compositor
    session.wait_for("the keyboard on the play window again",
                     lambda: session.display.focused() == str(play.window))
    x, y, w, h = session.geometry(play.window)
    expect_painted(session, play.window, y + h // 3, "the play window " + label)
    play.locate()
    expect_painted(session, play.window, play.origin[1], "the play window " + label)
    now = session.geometry(play.window)[2:]
    expect(now == size, "the play window came back %s, not %s" % (now, size))
    shot = session.shoot()
    expect(play.button_shown(shot, "cmdNewGame") and play.button_shown(shot, "cmdExit"),
           "Play and Exit missing " + label)
    session.keep(label.replace(" ", "-"), shot)


class OwnTitleBars:
    """The title bars the game draws, read as a screen reader reads them and
    used with the mouse."""

    def __init__(self, session):
        self.session = session
        self.reader = Reader(session)

    def check(self, title, window):
        """The window `title` (the compositor's `window`) has the game's bar,
        offering minimise and close alone, and nothing round it that the
        game does not draw. Returns its accessible and the bar's."""
        frame = self.reader.window(title)
        bar = find(frame, lambda o: "Close" in [name(c) for c in children(o)])
        expect(bar is not None, "\"%s\" has no title bar of the game's" % title)
        offered = [name(c) for c in children(bar)]
        expect(offered == BAR_BUTTONS, "the title bar of \"%s\" offers %s" % (title, offered))
        shown, drawn = self.session.geometry(window)[2:], extents(frame)[2:]
        expect(shown == drawn, "\"%s\" shows as %s but the game draws %s: another frame"
               " round it" % (title, shown, drawn))
        return frame, bar

    def point(self, window, frame, part, where=(0.5, 0.5)):
        """Where on the screen `part` of the window is: its place in the
        window, from the window's place on the compositor's screen."""
        x, y, _, _ = self.session.geometry(window)
        fx, fy, _, _ = extents(frame)
        px, py, pw, ph = extents(part)
        return (x + px - fx + int(pw * where[0]), y + py - fy + int(ph * where[1]))

    def close(self, title, window):
        frame, bar = self.check(title, window)
        button = next(c for c in children(bar) if name(c) == "Close")
        self.session.click(self.point(window, frame, button))

    def drag(self, title, window):
        """Drags the window by its bar, left of the title; returns where it
        was."""
        frame, bar = self.check(title, window)
        before = self.session.geometry(window)[:2]
        self.session.display.drag(self.point(window, frame, bar, (0.2, 0.5)), DRAG_STEP,
                                  lambda: self.session.geometry(window)[:2] != before)
        return before


def ball_at(session, play):
    ball = play.ball(session.shoot())
    return ball and (round(ball[0]), round(ball[1]))


def ball_held(session, play):
    """The ball's place once it has stayed put for HELD_S."""
    first, since = ball_at(session, play), time.monotonic()

    def probe():
        nonlocal first, since
        now = ball_at(session, play)
        if now != first:
            first, since = now, time.monotonic()
        return now and time.monotonic() - since >= HELD_S and now

    return session.wait_for("the ball held by the pause", probe)


def play_through(session, own_bars=False):
    """With `own_bars`, the game draws the title bars: each window's is
    checked, and its close button and a drag used where keys did before."""
    if own_bars:
        session.start_buses()
        session.start_game({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
    else:
        session.start_game()
    bars = own_bars and OwnTitleBars(session)
    play = session.open_play_window()
    expect_painted(session, play.window, play.origin[1], "the play window at start-up")
    size = session.geometry(play.window)[2:]
    session.keep("start")
    if bars:
        bars.check(PLAY_TITLE, play.window)

    # Typed over the text the dialog opens with; a bad number is told in a
    # message box, after which the dialog is whole again.
    dialog = open_dialog(session, play)
    session.keep("dialog")
    if bars:
        bars.check(DIALOG_TITLE, dialog)
    session.key("x", "Return")
    box = session.find_window(BOX_TITLE)
    expect_painted(session, box, session.geometry(box)[1], "the message box")
    session.keep("message-box")
    if bars:
        bars.close(BOX_TITLE, box)  # as OK does
    else:
        session.key("Return")
    session.wait_for("the message box gone", lambda: not session.windows(BOX_TITLE))
    x, y, w, h = session.geometry(dialog)
    expect_painted(session, dialog, y + h // 2, "the dialog after the message box")
    session.key("ctrl+a", "5", "Return")
    back_from_dialog(session, play, size, "after the dialog")
    open_dialog(session, play)
    session.key("Escape")
    back_from_dialog(session, play, size, "after Escape")
    if bars:
        bars.close(DIALOG_TITLE, open_dialog(session, play))  # as Escape does
        back_from_dialog(session, play, size, "after the close button")
        was = bars.drag(PLAY_TITLE, play.window)
        now = session.geometry(play.window)[:2]
        expect(now[0] > was[0] and now[1] > was[1], "dragged right and down from %s to %s"
               % (was, now))
        play.locate()
        expect_painted(session, play.window, play.origin[1], "the play window dragged")

    # Play pressed where the focus came back to; the paddle and the pause.
    session.key("space")
    serve = session.wait_for("the ball served", lambda: ball_at(session, play))
    session.wait_for("the ball in flight", lambda: ball_at(session, play) != serve)
    home = play.paddle_run(session.shoot())
    session.hold("Left")
    try:
        session.wait_for("the paddle moving left", lambda: (
            (play.paddle_run(session.shoot()) or home)[0] < home[0]))
    finally:
        session.hold("Left", False)
    session.key("p")
    held = ball_held(session, play)
    session.keep("paused")
    session.key("p")
    session.wait_for("the ball moving again", lambda: ball_at(session, play) != held)
    if bars:
        bars.close(PLAY_TITLE, play.window)  # ends the game, as Exit does
        code = session.game.wait_end("the play window's close button", GAME_DEADLINE)
        expect(code == 0, "rallo2 ended with exit code %s" % code)
    expect(session.game.output() == "", "rallo2 printed: " + session.game.output())


CASES = {"compositor_title_bar": play_through,
         "own_title_bar": functools.partial(play_through, own_bars=True)}
DISPLAYS = {"compositor_title_bar": "sway", "own_title_bar": "sway-csd"}

if __name__ == "__main__":
    sys.exit(runner.main(CASES, __doc__, needs=Sway.NEEDS + BUSES_NEEDS, display=DISPLAYS.get))
