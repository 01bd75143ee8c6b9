#!/usr/bin/python3
"""The page played in headless Chromium as a player plays it: keys and mouse
clicks through the DevTools protocol, the game's state read from the page.

Usage: page_e2e.py PAGE_DIR SHOTS_DIR
Screenshots of each milestone (and of a failure) go to SHOTS_DIR."""

import os
import statistics
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import expect, runner  # noqa: E402
from harness.browser import Browser, wait  # noqa: E402

FRAME_MS = 15.625


def shape_box(page, name):
    return page.eval(f"ralloPage.objects.get(ralloPage.names.get('{name}')).box")


def visible(page, name):
    return page.eval(f"ralloPage.objects.get(ralloPage.names.get('{name}')).visible")


def text_of(page, name):
    return page.eval(f"ralloPage.objects.get(ralloPage.names.get('{name}')).text")


def menu(page, *names):
    """Opens the menus by mouse and clicks the last one."""
    page.click(f"[data-name={names[0]}] > .text")
    for name in names[1:-1]:
        page.hover(f"[data-name={name}] > .text")
    page.click(f"[data-name={names[-1]}] > .text")


def message(page):
    return page.eval("(() => { const b = document.querySelector('.msgbox'); return b && "
                     "[b.querySelector('.titlebar').textContent, "
                     "b.querySelector('.text').textContent]; })()")


def check(condition, what):
    expect(condition, what)
    print(f"ok: {what}")


def run(page, shots):
    shot = lambda name: page.screenshot(os.path.join(shots, f"web_{name}.png"))  # noqa: E731
    wait("the play window", page.game_ready)
    check(page.eval("ralloPage.firstPaint") is not None, "the court is painted")
    check(page.eval("document.querySelector('[data-name=frmRallo] .caption').textContent")
          == "Rallo", "the play window's caption")
    shot("01_start")

    # Play: the serve pause, a key pressed in it, then the ball moving.
    ball_before = shape_box(page, "shpBall")
    paddle_before = shape_box(page, "shpPaddle")[0]
    page.click("[data-name=cmdNewGame]")
    wait("the ball at its serve place", lambda: visible(page, "shpBall"))
    check(not visible(page, "cmdNewGame"), "Play hides the buttons")
    time.sleep(0.4)
    page.key("ArrowRight", up=False)  # held through the rest of the pause
    time.sleep(0.3)
    check(shape_box(page, "shpPaddle")[0] == paddle_before, "nothing moves in the serve pause")
    shot("02_serve_pause")
    wait("the paddle to move right", lambda: shape_box(page, "shpPaddle")[0] > paddle_before,
             timeout=4)
    page.key("ArrowRight", down=False)
    print("ok: a key pressed in the serve pause takes effect")
    first = shape_box(page, "shpBall")
    time.sleep(0.25)
    second = shape_box(page, "shpBall")
    check(first != second and second != ball_before, f"the ball moves ({first} -> {second})")
    shot("03_ball_moving")

    # P pauses and resumes.
    page.key("p")
    time.sleep(0.1)
    paused_at = shape_box(page, "shpBall")
    time.sleep(0.3)
    check(shape_box(page, "shpBall") == paused_at, "P pauses the game")
    page.key("p")
    wait("the ball to move again", lambda: shape_box(page, "shpBall") != paused_at,
             timeout=4)
    print("ok: P again resumes it")
    page.eval("ralloPage.frameTimes = []")  # the clock runs without a stop from here

    # A whole one-player game: three balls, none returned.
    wait("Game Over!", lambda: visible(page, "Label2"), timeout=60, step=0.1)
    check(text_of(page, "Label2") == "Game Over!", "the game ends with Game Over!")
    check(visible(page, "cmdNewGame") and visible(page, "cmdExit"), "the buttons are back")
    shot("04_game_over")
    beeps = page.eval("ralloPage.beeps")
    check(beeps > 0 and page.eval("ralloPage.audio.state") == "running",
          f"the walls beep through the page's audio ({beeps} tones)")

    # The frame clock over the rest of the game: 63-65 Hz.
    times = page.eval("ralloPage.frameTimes")
    gaps = [b - a for a, b in zip(times, times[1:])]
    rate = 1000.0 / statistics.mean(gaps)
    gaps.sort()
    p99 = gaps[int(0.99 * (len(gaps) - 1))]
    print(f"frame clock: {len(times)} ticks, {rate:.2f} Hz, median "
          f"{statistics.median(gaps):.3f} ms, p99 {p99:.3f} ms, shortest {gaps[0]:.3f} ms")
    check(63.0 <= rate <= 65.0, f"frame rate {rate:.2f} Hz within 63-65 Hz")

    # The game against the computer, through the menu.
    page.click("[data-name=mnuOptions] > .text")
    page.hover("[data-name=mnuOptionsTwoPlayer] > .text")
    shot("05_menu_open")
    page.click("[data-name=mnuOptionsTwoPlayerComputer] > .text")
    wait("the two-player board", lambda: visible(page, "lblPlayer2Score"))
    check(page.eval("ralloPage.objects.get(ralloPage.names.get('mnuOptionsTwoPlayerComputer'))"
                    ".checked"), "Play against Computer is checked")
    check(not page.eval("ralloPage.objects.get(ralloPage.names.get('mnuOptionsOnePlayer'))"
                        ".checked"), "One Player Game is no longer checked")
    check(page.eval("ralloPage.objects.get(ralloPage.names.get('mnuOptionsComputerSkill'))"
                    ".enabled"), "Computer Skill is enabled")
    shot("06_against_computer")

    # A match against the computer: the end message comes from inside a frame.
    page.click("[data-name=cmdNewGame]")
    wait("the match's end", lambda: message(page), timeout=90, step=0.2)
    # The player never moves, so the computer wins unless it misses three times.
    check(message(page) == ["Rallo2", "Computer Wins!"], "the computer wins the match")
    check(text_of(page, "lblPlayer1Score").strip() == "3", "the computer has 3 points")
    shot("06b_match_over")
    page.key("Enter")
    wait("the buttons after the match", lambda: visible(page, "cmdNewGame"), timeout=5)
    check(page.eval("ralloPage.objects.get(ralloPage.names.get('mnuOptions')).enabled"),
          "the menus are enabled again")

    # The game-length dialog: bad input, then 5.
    menu(page, "mnuOptions", "mnuOptionsGameTo")
    wait("the dialog", lambda: page.eval(
        "!!document.querySelector('[data-name=frmLengthOfGame]:not([hidden])')"))
    check(page.eval("!!document.querySelector('[data-name=frmRallo][hidden]')"),
          "the play window is hidden while the dialog is open")
    shot("07_length_dialog")
    check(page.eval("document.activeElement.dataset.name") == "txtPlayTo",
          "the text box has the keyboard")
    page.type_text("five")
    page.click("[data-name=cmdGo]")
    wait("the bad-input message", lambda: message(page))
    check(message(page) == ["Rallo2", "Please enter a number!"], "bad input is refused")
    shot("08_bad_input")
    page.key("Enter")
    wait("the message to close", lambda: not message(page))
    page.eval("document.querySelector('[data-name=txtPlayTo]').select()")
    page.type_text("5")
    page.key("Enter")  # Enter in the text box sets the length, as the button does
    wait("the play window again", page.game_ready)
    check(page.eval("!!document.querySelector('[data-name=frmLengthOfGame][hidden]')"),
          "the dialog is hidden after 5 is set")
    menu(page, "mnuOptions", "mnuOptionsGameTo")
    wait("the dialog again", lambda: page.eval(
        "!!document.querySelector('[data-name=frmLengthOfGame]:not([hidden])')"))
    check(page.eval("document.querySelector('[data-name=txtPlayTo]').value") == "5",
          "the dialog keeps 5")
    page.key("Escape")
    wait("the play window after Escape", page.game_ready)
    check(page.eval("!!document.querySelector('[data-name=frmLengthOfGame][hidden]')"),
          "Escape cancels the dialog")

    # The About box, by its access letters: Alt+H, then A.
    page.key("h", alt=True)
    wait("the Help menu", lambda: page.eval(
        "document.querySelector('[data-name=mnuHelp]').classList.contains('open')"))
    shot("09_help_menu")
    page.key("a")
    wait("the About box", lambda: message(page))
    title, text = message(page)
    check(title == "Rallo2" and text, f"the About box, titled Rallo2: {text!r}")
    shot("10_about")
    page.click(".msgbox .ok")
    wait("the About box to close", lambda: not message(page))

    # Exit ends the game at once; the page says so and offers a new start.
    page.click("[data-name=cmdExit]")
    wait("the end line", lambda: page.eval(
        "!document.getElementById('ended').hidden"))
    check(page.eval("document.getElementById('ended').innerText").startswith(
        "Rallo2 has ended."), "Exit ends the game")
    check(page.eval("!!document.querySelector('[data-name=frmRallo][hidden]')"),
          "no window is left")
    shot("11_ended")
    page.click("#again")
    wait("a new game after Start again", page.game_ready)
    print("ok: Start again starts a new game")

    # A high-DPI screen: the court's canvas has a pixel per device pixel.
    page.send("Emulation.setDeviceMetricsOverride", width=1024, height=768, deviceScaleFactor=2,
              mobile=False)
    page.send("Page.reload")
    wait("the play window", page.game_ready)
    canvas = page.eval("(() => { const c = document.querySelector('[data-name=frmRallo] canvas');"
                       " return [c.width, c.height, c.clientWidth, c.clientHeight]; })()")
    check(canvas[0] == 2 * canvas[2] and canvas[1] == 2 * canvas[3] and canvas[2] > 500,
          f"the canvas is crisp at 2 device pixels per CSS pixel: {canvas}")
    shot("12_high_dpi")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    page_dir, shots = sys.argv[1:]
    os.makedirs(shots, exist_ok=True)
    failure = os.path.join(shots, "web_failure.png")
    if os.path.exists(failure):
        os.remove(failure)  # from an earlier run
    return runner.run_cases({"page": lambda session: run(session.page, shots)}, ["page"],
                            lambda name: Browser(page_dir, shots))


if __name__ == "__main__":
    sys.exit(main())
