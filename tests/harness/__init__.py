"""The one harness for every test and benchmark that runs the real game.

    sys.path.insert(0, "<repo>/tests"); from harness import ...

A file of cases is only its cases: `runner.main(CASES, __doc__)` gives it the
command line (--game or --build, --game-arg, --sim, --shots,
--window-timeout, case names), runs each case in a Session of its own and
prints one PASS or FAIL line each, a failure with a screenshot and what the
game and the servers said (`own_process=True` forks for each case;
runner.run_cases takes any session-like object, as the page test does).

Session(name, game=, game_args=, sim=, build=, shots=, window_timeout=,
display="xvfb", screen=) is one case's world; close() ends all it started,
last first:
  start_display()   the display (xvfb.Xvfb); started by start_game if need be
  start_buses()     a private D-Bus session bus and accessibility bus
  start_sound()     a PulseAudio server with one null sink; sound.Recording(session)
  start(service)    any other service: start(session), env (variables for the
                    programs started after it), stop(), optionally report()
  start_game(env=, command=) -> Process (alive, output, wait_end, stop, pid);
                    start_program(command, env=) for other programs
  open_play_window() -> PlayWindow: finds, focuses and locates the court
  wait_for(what, probe, deadline, interval): polls; fails if the game ends
  key, hold, click, geometry, windows, popups, focus, find_window,
  shoot() -> Shot, keep(label): saves the screenshot in `shots`

Displays: DISPLAYS (session.py) maps a name to a class with start(session),
stop(), env, name and the desktop's acts: windows(pid, title), popups(pid),
geometry, request_focus, focused, key, hold, click, shoot, run(tool...). A
Wayland compositor is another: wayland.Sway ("sway" draws the title bars,
"sway-csd" has the game draw them), keys and clicks through virtual_input.py;
runner.main(display=) names the display of each case. A screen reader that
speaks (Orca) joins as a service started after start_buses().

PlayWindow (play_window.py): twips(name) and box(name) of a control as the
game lays it out in its `mode` (ONE_PLAYER, AGAINST_COMPUTER; court.py asks
rallo2-sim), at, centre, court, ball, paddle_run, button_shown, text_shown.
Shot (shot.py): pixel, points, count_unlike, count_light, save_png.
actions.py: menu_key, choose("alt+o", "t", "c"), open_length_dialog,
answer_length_dialog, set_game_length. atspi.py: Reader, the accessible tree
and its events. browser.py: Browser(page_dir, shots) with its Page (DevTools
keys, clicks, eval) and wait. checks.py: Failure, expect, wait_for, the
deadlines. transcript.py: the golden-transcript runner. scenarios.cmake:
rallo2_add_cases and rallo2_add_transcripts, which register these tests.
"""

from . import runner
from .actions import answer_length_dialog, choose, menu_key, open_length_dialog, set_game_length
from .checks import GAME_DEADLINE, STATE_DEADLINE, WINDOW_DEADLINE, Failure, expect, wait_for
from .court import AGAINST_COMPUTER, ONE_PLAYER, px
from .play_window import DIALOG_TITLE, PLAY_TITLE
from .session import Session
from .shot import BLACK, BLUE, WHITE, YELLOW
