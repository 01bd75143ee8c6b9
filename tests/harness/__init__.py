"""The one harness for every test and benchmark that runs the real game.

    sys.path.insert(0, "<repo>/tests"); from harness import ...

A file of cases is only its cases: `runner.main(CASES, __doc__)` gives it the
command line (--game or --build, --game-arg, --sim, --shots,
--window-timeout, case names), runs each case in a Session of its own and
prints one PASS or FAIL line each (a failure with a screenshot and what the
game and the servers said). `own_process=True` forks for each case.

Session(name, game=, game_args=, sim=, build=, shots=, display="xvfb") is one
case's world, everything in it ended by close(), last started first:
  start_display()   Xvfb (xvfb.py); DISPLAYS maps names to display kinds, so a
                    Wayland compositor with the same methods can stand in
  start_buses()     a private D-Bus session bus and accessibility bus (buses.py)
  start_sound()     a PulseAudio server with one null sink (sound.py: Recording)
  start_game(env=, command=) -> Process; start_program(command, env=) for others
  open_play_window() -> PlayWindow: find_window, focus, locate the court
  wait_for(what, probe, deadline, interval): polls, fails if the game ends
  key, hold, click, geometry, windows, popups, shoot (-> Shot), keep(label)
  env               what every program started in the session gets

PlayWindow (play_window.py): box(name) / twips(name) of a control as the game
lays it out (court.py asks rallo2-sim), `mode` (ONE_PLAYER or
AGAINST_COMPUTER), at, centre, court, ball, paddle_run, button_shown,
text_shown. Shot (shot.py): pixel, points, count_unlike, count_light.
actions.py: menu_key, choose("alt+o", "t", "c"), open_length_dialog,
answer_length_dialog, set_game_length. atspi.py: Reader, a screen reader's
view over the buses. browser.py: Browser(page_dir, shots) with its Page
(DevTools keys, clicks, eval). checks.py: Failure, expect, wait_for and the
deadlines. transcript.py: the golden-transcript runner; scenarios.cmake:
the CMake functions that register these tests.
"""

from . import runner
from .actions import answer_length_dialog, choose, menu_key, open_length_dialog, set_game_length
from .checks import GAME_DEADLINE, STATE_DEADLINE, WINDOW_DEADLINE, Failure, expect, wait_for
from .court import AGAINST_COMPUTER, ONE_PLAYER, px
from .play_window import DIALOG_TITLE, PLAY_TITLE
from .session import Session
from .shot import BLACK, BLUE, WHITE, YELLOW
