#!/usr/bin/python3
"""Reads Rallo2 the way a screen reader does: over AT-SPI, in a real X server.

Each scenario starts its own Xvfb, D-Bus session bus and accessibility bus,
and a rallo2 with accessibility on (tests/harness); it reads the accessible
tree with pyatspi and listens to its events. pyatspi keeps its first buses
for the life of the process: each scenario runs in a process of its own.

`dump` prints the screen reader's view of the board during a game.
"""

import os
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import (DIALOG_TITLE, GAME_DEADLINE, PLAY_TITLE, STATE_DEADLINE,  # noqa: E402
                     answer_length_dialog, choose, expect, open_length_dialog, runner)
from harness.atspi import (Reader, children, description, extents, find, name,  # noqa: E402
                           role, states, walk)
from harness.buses import NEEDS  # noqa: E402
from harness.xvfb import Xvfb  # noqa: E402

# --- scenarios -----------------------------------------------------------------

def start(session):
    """The buses, then the game with accessibility on, then its reader."""
    session.start_buses()
    session.start_game({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
    session.open_play_window()
    return Reader(session)


def names(obj, role_name):
    return [name(o) for o in children(obj) if role(o) == role_name]


def court_of(frame):
    # A filler: a reader says its name and description, no role word.
    court = find(frame, lambda o: role(o) == "filler" and name(o) == "Court")
    expect(court is not None, "no court (a filler named Court) in the play window")
    return court


def client_of(frame):
    return next(c for c in children(frame) if role(c) == "filler")


def inside(inner, outer):
    return (inner is not None and outer is not None and inner[2] > 0 and inner[3] > 0
            and outer[0] <= inner[0] and outer[1] <= inner[1]
            and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def check_pieces(court, expected):
    pieces = children(court)
    expect([name(p) for p in pieces] == expected,
           "the court's children are %s, not %s" % ([name(p) for p in pieces], expected))
    for piece in pieces:
        expect(role(piece) == "image", "%s is a %s" % (name(piece), role(piece)))
        expect(inside(extents(piece), extents(court)),
               "%s at %s is not inside the court at %s"
               % (name(piece), extents(piece), extents(court)))


def focused(obj):
    return "focused" in states(obj)


def scenario_startup(session):
    reader = start(session)
    frame = reader.window(PLAY_TITLE)
    expect(role(frame) == "frame", "the play window is a %s" % role(frame))
    labels = names(client_of(frame), "label")
    for wanted in ("Number of hits: 0", "Number of hits", "Game Over!"):
        expect(wanted in labels, "no label \"%s\" among %s" % (wanted, labels))
    expect(names(client_of(frame), "push button") == ["Play", "Exit"],
           "buttons: %s" % names(client_of(frame), "push button"))
    court = court_of(frame)
    expect(inside(extents(court), extents(frame)), "the court lies outside its window")
    expect("focusable" in states(court), "the court cannot take the focus")
    expect(description(court) == "No ball in play.",
           "the court before a game says \"%s\"" % description(court))
    check_pieces(court, ["Paddle"])
    play = find(frame, lambda o: role(o) == "push button" and name(o) == "Play")
    expect(focused(play), "Play has not the focus at start-up")


def scenario_mode_switch(session):
    reader = start(session)
    frame = reader.window(PLAY_TITLE)
    choose(session, "alt+o", "t", "c")  # Options > Two Player Game > Play against Computer
    session.wait_for("the wider court of the game against the computer",
                     lambda: reader.pump() or extents(court_of(frame))[2] > 600)
    court = court_of(frame)
    check_pieces(court, ["Left paddle", "Right paddle"])
    labels = names(client_of(frame), "label")
    scores = [label for label in labels if ": " in label]
    expect(len(scores) == 2 and all(label.endswith(": 0") for label in scores),
           "two scores of 0 not named with their captions: %s" % labels)
    captions = [label for label in labels if label + ": 0" in scores]
    expect(len(captions) == 2, "the score names do not join the captions shown: %s" % labels)
    left, right = (extents(p) for p in children(court))
    expect(left[0] < right[0], "the left paddle is not left of the right one")


def scenario_game(session):
    """A whole one-player game of two balls: the reader follows it by events."""
    reader = start(session)
    frame = reader.window(PLAY_TITLE)
    court = court_of(frame)
    # Two balls: set in the game-length dialog, which is read on the way.
    set_length(session, reader, "2")

    reader.events.clear()
    session.key("space")
    reader.wait_event("the court taking the focus when the game starts",
                      lambda e: e[0] == "object:state-changed:focused" and e[2] == "Court")
    reader.wait_event("\"Ball 1\" told", lambda e: e[0].endswith("accessible-name")
                      and e[2] == "Ball 1")
    session.wait_for("the ball among the court's children",
                     lambda: reader.pump() or "Ball" in [name(p) for p in children(court)])
    check_pieces(court, ["Paddle", "Ball"])
    expect(focused(court), "the court has not the focus during the game")
    expect(description(court).startswith("Ball in the "),
           "the court during a game says \"%s\"" % description(court))
    reader.wait_event("\"Ball 2\" told", lambda e: e[0].endswith("accessible-name")
                      and e[2] == "Ball 2", GAME_DEADLINE)
    reader.wait_event("\"Game Over!\" told", lambda e: e[0].endswith(
        "accessible-name") and e[2] == "Game Over!", GAME_DEADLINE)
    # The news is a notification shown once for each change; the court's
    # description is read when asked, never pushed.
    def notices():
        return [e[2] for e in reader.events if e[0] == "object:state-changed:showing"
                and e[1] == "notification" and e[4]]
    session.wait_for("the end told", lambda: reader.pump() or any(
        n.startswith("Game Over!") for n in notices()))
    notices = notices()
    expect(len(notices) == len(set(notices)) >= 2, "the news told: %s" % notices)
    expect(not [e for e in reader.events if e[0].endswith("accessible-description")],
           "the court pushed its description")
    session.wait_for("the court telling the end",
                     lambda: reader.pump() or description(court) == "No ball in play.")
    play = find(frame, lambda o: role(o) == "push button" and name(o) == "Play")
    session.wait_for("Play focused after the game", lambda: reader.pump() or focused(play))
    check_pieces(court, ["Paddle"])
    names_told = [e[2] for e in reader.events if e[0].endswith("accessible-name")]
    expect(names_told.count("Ball 2") == 1, "\"Ball 2\" told %d times: %s"
           % (names_told.count("Ball 2"), names_told))


def dodge(session, reader, court, until):
    """Keeps the left paddle out of the ball's way, by their boxes alone, as
    a reader's user can, until `until()`."""
    held = None
    end = time.monotonic() + STATE_DEADLINE
    try:
        while not until():
            session.alive()
            expect(time.monotonic() < end, "no point told within %.0f s" % STATE_DEADLINE)
            reader.pump()
            boxes = {name(p): extents(p) for p in children(court)}
            if "Ball" not in boxes:
                continue
            ball = boxes["Ball"][1] + boxes["Ball"][3] / 2
            paddle = boxes["Left paddle"][1] + boxes["Left paddle"][3] / 2
            want = "a" if ball > paddle else "z"  # A moves it up, Z down
            if want != held:
                if held:
                    session.hold(held, down=False)
                session.hold(want)
                held = want
            time.sleep(0.02)
    finally:
        if held:
            session.hold(held, down=False)


def scenario_match(session):
    """A match of one point between two people: the point, the end and the
    winner are told."""
    reader = start(session)
    frame = reader.window(PLAY_TITLE)
    set_length(session, reader, "1")
    choose(session, "alt+o", "t", "t")  # Options > Two Player Game > Play with Two People
    court = court_of(frame)
    session.wait_for("two paddles", lambda: reader.pump() or len(children(court)) == 2)
    session.focus(session.play.window)
    reader.events.clear()
    session.key("space")
    session.wait_for("the ball among the court's children",
                     lambda: reader.pump() or "Ball" in [name(p) for p in children(court)])
    check_pieces(court, ["Left paddle", "Right paddle", "Ball"])

    def point():
        return next((e for e in reader.events if e[0].endswith("accessible-name")
                     and e[2] == "Player 2 Score: 1"), None)
    dodge(session, reader, court, point)
    alert = session.wait_for("the winner's alert", lambda: reader.pump() or find(
        reader.app(), lambda o: role(o) == "alert"))
    told = " ".join(name(o) for o in [alert] + children(alert) + [
        c for child in children(alert) for c in children(child)])
    expect("Player 2 Wins!" in told, "the winner's alert says: %s" % told)
    session.key("Return")  # the game ends once the box is closed
    reader.wait_event("\"Game Over!\" told", lambda e: e[0].endswith("accessible-name")
                      and e[2] == "Game Over!")


def set_length(session, reader, length):
    """Sets the game's length in its dialog, reading the dialog on the way."""
    window = open_length_dialog(session)
    dialog = reader.window(DIALOG_TITLE)
    expect(role(dialog) == "dialog", "the game-length dialog is a %s" % role(dialog))
    text = find(dialog, lambda o: role(o) == "text")
    expect(text is not None and name(text) == "Play a game to",
           "the dialog's text box is named \"%s\"" % (name(text) if text else None))
    answer_length_dialog(session, window, length)
    frame = reader.window(PLAY_TITLE)
    play = find(frame, lambda o: role(o) == "push button" and name(o) == "Play")
    session.wait_for("Play focused after the dialog", lambda: reader.pump() or focused(play))


def scenario_escape(session):
    reader = start(session)
    reader.window(PLAY_TITLE)
    window = open_length_dialog(session)
    reader.window(DIALOG_TITLE)
    answer_length_dialog(session, window, "7", "Escape")
    session.wait_for("the dialog gone after Escape",
                     lambda: not session.windows(DIALOG_TITLE))


def scenario_dump(session):
    reader = start(session)
    frame = reader.window(PLAY_TITLE)
    session.key("space")  # Play has the focus at start-up
    reader.pump(3.5)  # past the serve pause
    print("\n".join(walk(frame)))
    print("events:")
    for event in reader.events:
        print("  %s" % (event[:3],))


SCENARIOS = {
    "startup": scenario_startup,
    "mode_switch": scenario_mode_switch,
    "game": scenario_game,
    "match": scenario_match,
    "escape": scenario_escape,
    "dump": scenario_dump,
}


if __name__ == "__main__":
    sys.exit(runner.main(SCENARIOS, __doc__, needs=Xvfb.NEEDS + NEEDS,
                         default=[n for n in SCENARIOS if n != "dump"], own_process=True))
