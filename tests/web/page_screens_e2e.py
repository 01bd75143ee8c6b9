#!/usr/bin/python3
"""The page on phones, tablets and small windows, with touch and gamepads,
installed and offline, in headless Chromium through the DevTools protocol.

Usage: page_screens_e2e.py PAGE_DIR SHOTS_DIR [CASE...]
Screenshots (web_phone_upright.png, ...) and failures' go to SHOTS_DIR."""

import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import BLACK, BLUE, WHITE, expect, runner, wait_for  # noqa: E402
from harness.browser import PAGE_DEADLINE, POLL_S, Browser, fetch, wait  # noqa: E402
from harness.shot import Shot  # noqa: E402

RALLY_DEADLINE = 60.0
KEYS = {"Left": 37, "Up": 38, "Right": 39, "Down": 40, "A": 65, "Z": 90}
WORKER_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src",
                             "platform", "web", "worker.cmake")

# Every window and message box inside the viewport, the page not scrolled,
# and each court's canvas one backing pixel per device pixel as shown (to
# within the 1/64 px that layout keeps).
FITS = """(() => {
  const view = document.documentElement, ratio = devicePixelRatio, out = [];
  if (scrollX || scrollY || view.scrollWidth > view.clientWidth ||
      view.scrollHeight > view.clientHeight) out.push('the page scrolls');
  for (const node of document.querySelectorAll('.window:not([hidden]), .msgbox')) {
    const r = node.getBoundingClientRect(), name = node.dataset.name || 'a message box';
    if (r.left < 0 || r.top < 0 || r.right > view.clientWidth + 0.01 ||
        r.bottom > view.clientHeight + 0.01) out.push(name + ' is cut: ' + JSON.stringify(r));
    const canvas = node.querySelector('canvas');
    const shown = canvas && canvas.getBoundingClientRect();
    if (canvas && (Math.abs(canvas.width - shown.width * ratio) > 0.05 ||
                   Math.abs(canvas.height - shown.height * ratio) > 0.05))
      out.push(`${name}'s court is resampled: ${canvas.width} for ${shown.width * ratio}`);
  }
  return out; })()"""


# The device-pixel row through the middle of the one-player paddle, from
# a little left of it to a little right.
PADDLE_ROW = """(() => {
  const win = ralloPage.objects.get(ralloPage.names.get('frmRallo')), d = devicePixelRatio;
  const paddle = ralloPage.objects.get(ralloPage.names.get('shpPaddle')).box;
  const r = win.canvas.getBoundingClientRect();
  const x = v => Math.round(r.left * d + v * win.ratio);
  return [Math.round(r.top * d + (paddle[1] + paddle[3] / 2) * win.ratio),
          x(paddle[0]) - 6, x(paddle[0] + paddle[2]) + 6]; })()"""


def crisp_row(page):
    """The colours along the paddle's row on screen: the court's own alone
    when the canvas is shown one to one, blends where it is resampled."""
    y, first, last = page.eval(PADDLE_ROW)
    png = base64.b64decode(page.send("Page.captureScreenshot", format="png")["data"])
    shot = Shot(subprocess.run(["convert", "png:-", "ppm:-"], input=png, capture_output=True,
                               check=True).stdout)
    return {shot.pixel(x, y) for x in range(first, last + 1)}


def emulate(page, width, height, ratio=1, touch=False):
    page.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
              deviceScaleFactor=ratio, mobile=touch)
    page.send("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)


def fits(page, where):
    wait_for(where, lambda: not page.eval(FITS), PAGE_DEADLINE, POLL_S,
             late=lambda: f"at {where}: {'; '.join(page.eval(FITS))}")


def control(page, name, field):
    return page.eval(f"ralloPage.objects.get(ralloPage.names.get('{name}')).{field}")


def touch(page, kind, *points):
    """Every finger on the screen, each at its (x, y); none ends the touch."""
    page.send("Input.dispatchTouchEvent", type=kind,
              touchPoints=[{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)])


def pad(page, key):
    return wait(f"the {key} pad", lambda: page.box(f'#touch [data-key="{KEYS[key]}"]'))


def tap(page, selector):
    touch(page, "touchStart", wait(f"{selector} on screen", lambda: page.box(selector)))
    touch(page, "touchEnd")


def start_game(page):
    wait("the play window", page.game_ready)
    tap(page, "[data-name=cmdNewGame]")
    wait("the serve", lambda: control(page, "shpBall", "visible"))


def phone(session):
    """One finger plays a rally on a phone, upright, then turned."""
    page = session.page
    emulate(page, 390, 844, ratio=3, touch=True)
    page.send("Page.reload")
    start_game(page)
    fits(page, "390x844")
    session.keep("phone_upright")
    fingers, held, moved = {"Left": pad(page, "Left"), "Right": pad(page, "Right")}, None, set()

    def follow_ball():
        """The finger on the pad towards the ball; a hit ends the rally."""
        nonlocal held
        ball, paddle = control(page, "shpBall", "box"), control(page, "shpPaddle", "box")
        gap = (ball[0] + ball[2] / 2) - (paddle[0] + paddle[2] / 2)
        want = "Left" if gap < -paddle[2] / 4 else "Right" if gap > paddle[2] / 4 else None
        if want != held:
            if want:
                touch(page, "touchMove" if held else "touchStart", fingers[want])
                moved.add(want)
            else:
                touch(page, "touchEnd")
            held = want
        if not held and control(page, "cmdNewGame", "visible"):
            tap(page, "[data-name=cmdNewGame]")  # three balls missed on a busy machine
        return control(page, "lblPlayer1Score", "text").strip() not in ("", "0")

    wait("a ball returned by touch", follow_ball, RALLY_DEADLINE, 0.01)
    if held:
        touch(page, "touchEnd")
    print(f"ok: a rally by touch, the finger on {sorted(moved)}")
    emulate(page, 844, 390, ratio=3, touch=True)
    fits(page, "844x390, the phone turned")
    left = control(page, "shpPaddle", "box")[0]
    touch(page, "touchStart", pad(page, "Left"))
    wait("the paddle to move left", lambda: control(page, "shpPaddle", "box")[0] < left)
    touch(page, "touchEnd")
    session.keep("phone_turned")


def tablet(session):
    """Two people, a finger each, move both paddles at once."""
    page = session.page
    emulate(page, 1024, 768, ratio=2, touch=True)
    page.send("Page.reload")
    wait("the play window", page.game_ready)
    for item in ("mnuOptions", "mnuOptionsTwoPlayer", "mnuOptionsTwoPlayerPeople"):
        tap(page, f"[data-name={item}] > .text")
    wait("the two-player board", lambda: control(page, "shpPlayer1", "visible"))
    start_game(page)
    left, right = control(page, "shpPlayer1", "box")[1], control(page, "shpPlayer2", "box")[1]
    touch(page, "touchStart", pad(page, "A"), pad(page, "Down"))
    wait("the left paddle up and the right one down at once",
         lambda: control(page, "shpPlayer1", "box")[1] < left and
         control(page, "shpPlayer2", "box")[1] > right)
    session.keep("tablet_two_players")
    touch(page, "touchEnd")
    fits(page, "1024x768")


def small_windows(session):
    """Windows, the dialog and message boxes fit however small or turned."""
    page = session.page
    wait("the play window", page.game_ready)
    for width, height in ((1024, 600), (1024, 530), (390, 844), (844, 390), (560, 360)):
        emulate(page, width, height)  # shrunk after loading, as a player does
        fits(page, f"{width}x{height}")
        expect(page.box("[data-name=cmdExit]"), f"Exit is on screen at {width}x{height}")
    emulate(page, 600, 380, ratio=2)
    fits(page, "600x380 at 2 device pixels a pixel")
    colours = crisp_row(page)
    expect(colours == {BLUE, BLACK, WHITE}, f"the scaled court is crisp: {sorted(colours)}")
    page.click("[data-name=mnuHelp] > .text")
    page.hover("[data-name=mnuHelpDirections] > .text")
    page.click("[data-name=mnuHelpOnePlayerDirections] > .text")
    wait("the directions", lambda: page.box(".msgbox .ok"))
    fits(page, "560x360 with the directions")
    page.click(".msgbox .ok")
    page.click("[data-name=mnuOptions] > .text")
    page.click("[data-name=mnuOptionsGameTo] > .text")
    wait("the dialog", lambda: page.box("[data-name=cmdGo]"))
    emulate(page, 390, 844, ratio=2)
    fits(page, "390x844 with the dialog")


GAMEPAD = """(() => {
  const buttons = Array.from({length: 17}, () => ({pressed: false, value: 0}));
  window.testPad = {connected: true, mapping: 'standard', index: 0, buttons, axes: [0, 0, 0, 0]};
  navigator.getGamepads = () => [window.testPad];
  window.dispatchEvent(new Event('gamepadconnected'));
  return true; })()"""


def gamepad(session):
    """A scripted pad: south presses Play, the d-pad steers, Start pauses."""
    page = session.page
    wait("the play window", page.game_ready)
    page.eval(GAMEPAD)

    def button(number, down):
        """Pressed or released, and read by the page: two display frames."""
        page.eval(f"testPad.buttons[{number}].pressed = {json.dumps(down)}; new Promise(done =>"
                  " requestAnimationFrame(() => requestAnimationFrame(done)))")

    button(0, True)
    wait("Play pressed by the south button", lambda: control(page, "shpBall", "visible"))
    button(0, False)
    left = control(page, "shpPaddle", "box")[0]
    button(15, True)
    wait("the paddle to move right", lambda: control(page, "shpPaddle", "box")[0] > left)
    button(15, False)
    frames = lambda: page.eval(  # noqa: E731  any frame in a quarter second
        "new Promise(done => { const ticks = ralloProbe.frameTimes.length; "
        "setTimeout(() => done(ralloProbe.frameTimes.length > ticks), 250); })")
    for paused in (True, False):
        button(9, True)
        wait("the game paused" if paused else "the game resumed", lambda: frames() != paused)
        button(9, False)


def installed(session):
    """Installable: a manifest with its icons, a favicon, no errors."""
    page = session.page
    wait("the play window", page.game_ready)
    errors = page.send("Page.getInstallabilityErrors")["installabilityErrors"]
    expect(errors == [], f"installability errors: {errors}")
    expect(page.send("Page.getAppManifest").get("errors") == [], "the manifest reads cleanly")
    expect(fetch(session.url + "favicon.ico"), "a favicon")


def offline(session):
    """After one visit the page loads and plays with no server at all."""
    page = session.page
    wait("the worker", lambda: page.eval("!!navigator.serviceWorker.controller"))
    session.server.stop()
    expect(fetch(session.url) is None, "the server is gone")
    page.send("Page.reload")
    start_game(page)
    ball = control(page, "shpBall", "box")
    wait("the ball to move, offline", lambda: control(page, "shpBall", "box") != ball)
    session.keep("offline")


def new_build(session):
    """A new build replaces the kept files on the next visit."""
    page = session.page
    caches = lambda: page.eval("caches.keys()")  # noqa: E731
    wait("the worker", lambda: page.eval("!!navigator.serviceWorker.controller"))
    first = caches()
    with open(os.path.join(session.page_dir, "index.html"), "a") as html:
        html.write("<!-- the next build -->\n")
    worker = open(os.path.join(session.page_dir, "sw.js")).read()
    files = json.loads(worker.split("const FILES = ", 1)[1].split(";", 1)[0])[1:]
    subprocess.run(["cmake", f"-DPAGE_DIR={session.page_dir}", f"-DFILES={','.join(files)}",
                    f"-DTEMPLATE={os.path.join(session.source_dir, 'sw.js.in')}",
                    "-P", WORKER_SCRIPT], check=True)
    page.send("Page.reload")
    wait("the new build kept, the old one dropped",
         lambda: (lambda kept: len(kept) == 1 and kept != first)(caches()))
    expect(page.eval("fetch('index.html').then(r => r.text()).then(t => t.includes('the next"
                     " build'))"), "the worker serves the new build's files")


CASES = {"phone": phone, "tablet": tablet, "small_windows": small_windows,
         "gamepad": gamepad, "installed": installed, "offline": offline, "new_build": new_build}


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    page_dir, shots = sys.argv[1:3]
    os.makedirs(shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="rallo2-page-")
    source_dir = os.path.join(os.path.dirname(WORKER_SCRIPT), "page")

    def open_session(name):
        # A copy of the page for each case, which new_build may rebuild.
        served = shutil.copytree(page_dir, os.path.join(work, name))
        session = Browser(served, shots, width=1280, height=800)
        session.page_dir, session.source_dir = served, source_dir
        return session

    try:
        return runner.run_cases(CASES, sys.argv[3:] or list(CASES), open_session)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
