"""The page in headless Chromium, driven through the DevTools protocol on
127.0.0.1: a local server for the page, a browser with a fresh profile, and
real input events (keys and mouse) as a player makes them."""

import base64
import json
import os
import shutil
import socket
import sys
import tempfile
import urllib.request

import websocket

from .checks import Failure, wait_for
from .process import Process

NEEDS = ("chromium",)
BROWSER_DEADLINE = 30.0
PAGE_DEADLINE = 10.0
REPLY_TIMEOUT_S = 30
POLL_S = 0.02


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait(what, probe, timeout=PAGE_DEADLINE, step=POLL_S):
    """wait_for at the page's pace: a page answers within milliseconds."""
    return wait_for(what, probe, timeout, step)


def fetch(url):
    """What a local URL serves, or None while nothing serves it."""
    try:
        with urllib.request.urlopen(url) as reply:
            return reply.read()
    except OSError:
        return None


class Page:
    """One page target: DevTools calls, script evaluation, input events."""

    def __init__(self, socket_url):
        self.ws = websocket.create_connection(socket_url, timeout=REPLY_TIMEOUT_S)
        self.next_id = 0

    def send(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            reply = json.loads(self.ws.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise Failure(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def eval(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise Failure(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    # Keys with the codes a real keyboard sends.
    KEYS = {"ArrowLeft": 37, "ArrowUp": 38, "ArrowRight": 39, "ArrowDown": 40, "Enter": 13,
            "Escape": 27, "Pause": 19}

    def key(self, key, down=True, up=True, alt=False):
        code = self.KEYS.get(key) or ord(key.upper())
        name = key if key in self.KEYS else f"Key{key.upper()}"
        text = "\r" if key == "Enter" else (key if len(key) == 1 else "")
        if down:
            self.send("Input.dispatchKeyEvent", type="keyDown", key=key, code=name,
                      windowsVirtualKeyCode=code, text="" if alt else text,
                      modifiers=1 if alt else 0)
        if up:
            self.send("Input.dispatchKeyEvent", type="keyUp", key=key, code=name,
                      windowsVirtualKeyCode=code, modifiers=1 if alt else 0)

    def type_text(self, text):
        self.send("Input.insertText", text=text)

    def box(self, selector):
        return self.eval(f"""(() => {{ const n = document.querySelector({json.dumps(selector)});
            if (!n || !n.offsetParent) return null;
            const r = n.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2]; }})()""")

    def click(self, selector):
        x, y = wait(f"{selector} on screen", lambda: self.box(selector))
        self.mouse(x, y)

    def mouse(self, x, y):
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def hover(self, selector):
        x, y = wait(f"{selector} on screen", lambda: self.box(selector))
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def game_ready(self):
        return self.eval("typeof ralloPage === 'object' && !ralloPage.busy && "
                         "!!document.querySelector('[data-name=frmRallo]:not([hidden])')")


class Browser:
    """Serves `page_dir` on 127.0.0.1 and opens it in headless Chromium: the
    `page` and its `url`. A runner's session too: keep(label) saves a
    screenshot as SHOTS/web_LABEL.png."""

    def __init__(self, page_dir, shots=None, width=1024, height=768):
        self.shots = shots
        self.page = None
        self.profile = tempfile.mkdtemp(prefix="rallo2-chromium-")
        http_port, debug_port = free_port(), free_port()
        self.server = Process([sys.executable, "-m", "http.server", "--bind", "127.0.0.1",
                               "--directory", page_dir, str(http_port)], os.environ)
        self.browser = Process(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-extensions", "--mute-audio",
             f"--window-size={width},{height}", f"--remote-debugging-port={debug_port}",
             "--remote-debugging-address=127.0.0.1", f"--user-data-dir={self.profile}",
             "about:blank"], os.environ)
        try:
            targets = wait("the browser", lambda: [
                t for t in json.loads(fetch(f"http://127.0.0.1:{debug_port}/json/list") or "[]")
                if t.get("type") == "page"], BROWSER_DEADLINE)
            self.url = f"http://127.0.0.1:{http_port}/"
            wait("the page server", lambda: fetch(self.url) is not None)
            self.page = Page(targets[0]["webSocketDebuggerUrl"])
            self.page.send("Page.enable")
            self.page.send("Runtime.enable")
            self.page.send("Page.navigate", url=self.url)
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def keep(self, label):
        if not (self.shots and self.page):
            return None
        path = os.path.join(self.shots, f"web_{label}.png")
        self.page.screenshot(path)
        return path

    def keep_failure(self):
        try:
            return self.keep("failure")
        except Exception:  # noqa: BLE001 (a browser gone leaves no screenshot)
            return None

    def report(self):
        return []

    def close(self):
        for process in (self.browser, self.server):
            process.stop()
        shutil.rmtree(self.profile, ignore_errors=True)
