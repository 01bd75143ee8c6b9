"""What a player does with the keyboard in the game's menus and dialog."""

from .checks import STATE_DEADLINE
from .play_window import DIALOG_TITLE, PLAY_TITLE


def menu_key(session, key, popups):
    """Presses a key in the menus and waits until `popups` menus are open."""
    session.key(key)
    session.wait_for("%d open menu(s) after %s" % (popups, key),
                     lambda: len(session.popups()) == popups)


def choose(session, *keys):
    """Walks the menus by access keys, e.g. ("alt+o", "t", "c"): each key but
    the last opens one more menu, the last chooses and closes them all."""
    for depth, key in enumerate(keys[:-1], start=1):
        menu_key(session, key, depth)
    menu_key(session, keys[-1], 0)


def open_length_dialog(session):
    """Options > Play game to...; returns the dialog's window."""
    menu_key(session, "alt+o", 1)
    session.key("Up")  # round to the last item, "Play game to..."
    session.key("Return")
    return session.find_window(DIALOG_TITLE, STATE_DEADLINE)


def answer_length_dialog(session, dialog, text, key="Return"):
    """Types `text` over the dialog's text, ends with `key` and gives the play
    window the keyboard back."""
    session.focus(dialog)
    session.key("ctrl+a", *text, key)
    session.wait_for("the play window back after the dialog",
                     lambda: session.windows(PLAY_TITLE))
    session.focus(session.play.window)


def set_game_length(session, balls):
    """A game of `balls` (digits), set through the dialog."""
    answer_length_dialog(session, open_length_dialog(session), balls)
    session.play.locate()
