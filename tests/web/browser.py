"""The page in headless Chromium, driven through the DevTools protocol on
127.0.0.1: a local server for the page, a browser with a fresh profile, and
real input events (keys and mouse) as a player makes them."""

import base64
import contextlib
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.request

import websocket


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_for(what, check, timeout=10.0, step=0.02):
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(step)


class Page:
    def __init__(self, socket_url):
        self.ws = websocket.create_connection(socket_url, timeout=30)
        self.next_id = 0

    def send(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            reply = json.loads(self.ws.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def eval(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
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
        x, y = wait_for(f"{selector} on screen", lambda: self.box(selector))
        self.mouse(x, y)

    def mouse(self, x, y):
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def hover(self, selector):
        x, y = wait_for(f"{selector} on screen", lambda: self.box(selector))
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))


@contextlib.contextmanager
def served_page(page_dir, width=1024, height=768):
    """Serves page_dir on 127.0.0.1 and opens it in headless Chromium; yields
    (page, url, load_start) with load_start the monotonic time of navigation."""
    http_port, debug_port = free_port(), free_port()
    profile = tempfile.mkdtemp(prefix="rallo2-chromium-")
    server = subprocess.Popen(
        ["python3", "-m", "http.server", "--bind", "127.0.0.1", "--directory", page_dir,
         str(http_port)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    browser = subprocess.Popen(
        ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
         "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--disable-extensions", "--mute-audio",
         f"--window-size={width},{height}", f"--remote-debugging-port={debug_port}",
         "--remote-debugging-address=127.0.0.1", f"--user-data-dir={profile}", "about:blank"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        def targets():
            try:
                with urllib.request.urlopen(f"http://127.0.0.1:{debug_port}/json/list") as r:
                    return [t for t in json.load(r) if t.get("type") == "page"]
            except OSError:
                return None
        target = wait_for("the browser", targets, timeout=30)[0]
        url = f"http://127.0.0.1:{http_port}/?probe"  # the marks the tests read
        wait_for("the page server", lambda: _serving(url), timeout=10)
        page = Page(target["webSocketDebuggerUrl"])
        page.send("Page.enable")
        page.send("Runtime.enable")
        page.send("Page.navigate", url=url)
        yield page, url
    finally:
        browser.terminate()
        server.terminate()
        for process in (browser, server):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(profile, ignore_errors=True)


def _serving(url):
    try:
        with urllib.request.urlopen(url):
            return True
    except OSError:
        return False


def game_ready(page):
    return page.eval("typeof ralloPage === 'object' && !ralloPage.busy && "
                     "!!document.querySelector('[data-name=frmRallo]:not([hidden])')")
