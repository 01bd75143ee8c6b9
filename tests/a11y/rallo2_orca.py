#!/usr/bin/python3
"""Hears Rallo2 as a blind player does: Orca speaking through speech-dispatcher.

Each case starts its own Xvfb, buses, sound server and Orca (tests/harness),
then the game, which turns its accessibility on because a screen reader runs.
What Orca says is read back from its log: the SPEECH OUTPUT lines, and when
it received each event from the game.
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import STATE_DEADLINE, Failure, expect, menu_key, runner  # noqa: E402
from harness.buses import NEEDS as BUSES_NEED  # noqa: E402
from harness.screen_reader import NEEDS as READER_NEEDS  # noqa: E402
from harness.screen_reader import ScreenReader  # noqa: E402
from harness.sound import NEEDS as SOUND_NEEDS  # noqa: E402
from harness.xvfb import Xvfb  # noqa: E402

# A player must hear what happened within this long of it happening.
TOLD_WITHIN_S = 1.0
# A game of three balls left alone lasts about 12 s; a point about as long.
GAME_S = 60.0
KEY_ECHO = "space "  # Orca's echo of the key itself
MENU_TRIES = 3
MENU_OPEN_S = 3.0


def start(session):
    session.start_buses()
    session.start_sound()
    reader = session.start(ScreenReader())
    session.start_game()
    session.open_play_window()
    reader.wait_said(session, "the play window's button read", lambda t: "push button" in t,
                     0, STATE_DEADLINE)
    return reader


def open_menu(session, key):
    """Alt and `key`, Alt held until the menu shows, as a player's hand does
    (the keys reach the game only after the reader has seen them). Without a
    window manager the menu now and then closes as it opens, the frame
    activated again under it: a player would press again, and so does this."""
    for _ in range(MENU_TRIES):
        session.hold("alt")
        session.key(key)
        try:
            session.wait_for("the menu open", lambda: len(session.popups()) == 1, MENU_OPEN_S)
            return
        except Failure:
            pass
        finally:
            session.hold("alt", False)
    raise Failure("no menu opened after %d presses of Alt+%s" % (MENU_TRIES, key))


def told_in_time(reader, said, label):
    """`said` came within TOLD_WITHIN_S of Orca receiving the label's new name."""
    heard = [at for at in reader.heard("object:property-change:accessible-name", "label", label)
             if at <= said.at]
    expect(heard, "\"%s\" was said but the label \"%s\" never changed before" % (said.text, label))
    late = said.at - heard[-1]
    expect(late <= TOLD_WITHIN_S, "\"%s\" said %.2f s after the label showed \"%s\""
           % (said.text, late, label))


def case_one_player_alone(session):
    """Play, then nothing: the next balls and the end, in order, on time."""
    reader = start(session)
    pressed = time.time()
    session.key("space")
    end = reader.wait_said(session, "Game Over! said", lambda t: t.startswith("Game Over!"),
                           pressed, GAME_S)
    said = [u for u in reader.spoken_after(pressed) if u.text != KEY_ECHO]
    expect(said[0].at - pressed <= TOLD_WITHIN_S, "the first words after Play (\"%s\") came "
           "%.2f s after the key" % (said[0].text, said[0].at - pressed))
    texts = [u.text for u in said]
    news = [u for u in said if re.match(r"Ball lost\. Ball \d\.$|Game Over!", u.text)]
    expect([u.text for u in news] == ["Ball lost. Ball 2.", "Ball lost. Ball 3.", end.text],
           "the news heard, in order: %s" % texts)
    for utterance, label in zip(news, ("Ball 2", "Ball 3", "Game Over!")):
        told_in_time(reader, utterance, label)
    expect(not reader.bad_content(), "Orca was handed no text: %s" % reader.bad_content()[:2])


def case_point_against_computer(session):
    """A point in the game against the computer is heard with the score."""
    reader = start(session)
    open_menu(session, "o")
    menu_key(session, "t", 2)  # Two Player Game
    menu_key(session, "c", 0)  # Play against Computer
    session.focus(session.play.window)
    pressed = time.time()
    session.key("space")
    point = reader.wait_said(session, "a point said", lambda t: " scores." in t, pressed,
                             GAME_S)
    match = re.match(r"(Computer|Player) scores\. Computer Score (\d+), Player Score (\d+)\.$",
                     point.text)
    expect(match and sorted(match.group(2, 3)) == ["0", "1"],
           "the point is heard as \"%s\"" % point.text)
    scorer = "Computer Score" if match.group(1) == "Computer" else "Player Score"
    told_in_time(reader, point, "%s: 1" % scorer)
    expect(not reader.bad_content(), "Orca was handed no text: %s" % reader.bad_content()[:2])


def case_menus_and_message_box(session):
    """Menus in words, Escape back to where the focus was, and the focus
    told again when a message box closes."""
    reader = start(session)

    def after(keys, *words, popups=None):
        """Presses `keys` (waiting for `popups` open menus if given) and
        waits until each of `words` has been said after the press."""
        pressed = time.time()
        if popups is None:
            session.key(*keys)
        else:
            menu_key(session, keys[0], popups)
        for said in words:
            reader.wait_said(session, "\"%s\" after %s" % (said, keys),
                             lambda t, said=said: t == said, pressed, STATE_DEADLINE)

    open_menu(session, "o")
    after(["Down"], "Two Player Game.", "submenu.")
    after(["Right"], "Play against Computer.")
    after(["Escape"], "Two Player Game.", "submenu.")
    after(["Up", "Up"], "Play game to.")  # no "dot dot dot"
    after(["Escape"], "Play push button.", popups=0)
    open_menu(session, "h")
    after(["Up", "Return"], "OK push button.")
    after(["Return"], "Play push button.")


CASES = {
    "orca_one_player_alone": case_one_player_alone,
    "orca_point_against_computer": case_point_against_computer,
    "orca_menus_and_message_box": case_menus_and_message_box,
}


if __name__ == "__main__":
    sys.exit(runner.main(CASES, __doc__,
                         needs=Xvfb.NEEDS + BUSES_NEED + SOUND_NEEDS + READER_NEEDS))
