#!/usr/bin/python3
"""The page as a screen reader and a keyboard-only player meet it, in
headless Chromium: its accessibility tree over DevTools, keys alone, and
axe-core's rules.

Usage: page_a11y.py PAGE_DIR AXE_JS SHOTS_DIR [CASE...]
Cases: tree, keyboard, axe (default: all)."""

import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import GAME_DEADLINE, STATE_DEADLINE, expect, runner  # noqa: E402
from harness.browser import Browser, wait  # noqa: E402

TREE_POLL_S = 0.2  # a whole tree a look: not so often that the game is slowed

# Keys the harness's Page does not spell: (key, code, virtual-key code).
F10 = ("F10", "F10", 121)
TAB = ("Tab", "Tab", 9)
ALT = ("Alt", "AltLeft", 18)
SHIFT = 8  # DevTools' modifier bit
ALT_DOWN = 1


class Node:
    def __init__(self, raw):
        self.role = raw["role"]["value"]
        self.name = raw.get("name", {}).get("value", "")
        self.description = raw.get("description", {}).get("value", "")
        self.states = {p["name"]: p["value"].get("value") for p in raw.get("properties", [])}
        self.children = []

    def all(self):
        yield self
        for child in self.children:
            yield from child.all()

    def find(self, role, name=None):
        return next((n for n in self.all() if n.role == role and name in (None, n.name)), None)

    def texts(self):
        return [n.name for n in self.all() if n.role == "StaticText"]


def tree(page):
    """The page's accessibility tree as a reader gets it (ignored nodes skipped)."""
    raw = page.send("Accessibility.getFullAXTree")["nodes"]
    by_id = {n["nodeId"]: n for n in raw}
    nodes = {}

    def build(raw_node, parent):
        node = parent
        if not raw_node.get("ignored"):
            node = nodes[raw_node["nodeId"]] = Node(raw_node)
            if parent:
                parent.children.append(node)
        for child in raw_node.get("childIds", []):
            if child in by_id:
                build(by_id[child], node)

    build(raw[0], None)
    return nodes[raw[0]["nodeId"]]


def press(page, key, modifiers=0, up=True):
    name, code, virtual = key
    page.send("Input.dispatchKeyEvent", type="keyDown", key=name, code=code,
              windowsVirtualKeyCode=virtual, modifiers=modifiers)
    if up:
        page.send("Input.dispatchKeyEvent", type="keyUp", key=name, code=code,
                  windowsVirtualKeyCode=virtual, modifiers=0)


def until(what, probe, deadline=STATE_DEADLINE):
    return wait(what, probe, deadline, TREE_POLL_S)


def focused(page):
    node = tree(page)
    return next((n for n in node.all() if n.states.get("focused") and n.role != "RootWebArea"),
                None)


def focus_is(page, role, name):
    node = focused(page)
    return node is not None and node.role == role and node.name == name


def told(page):
    """Everything the live regions said since the page was opened."""
    return page.eval("told")


def open_page(session):
    page = session.page
    wait("the play window", page.game_ready)
    page.send("Accessibility.enable")
    # A live region keeps only its latest words; the test keeps them all.
    page.eval("""window.told = [];
        for (const id of ['news', 'urgent-news']) {
          const region = document.getElementById(id);
          const keep = () => { if (region.textContent) told.push([id, region.textContent]); };
          new MutationObserver(keep).observe(region, {childList: true, subtree: true});
        }""")
    return page


def court(page):
    return tree(page).find("application", "Court")


def check(condition, what):
    expect(condition, what)
    print(f"ok: {what}")


def case_tree(session):
    page = open_page(session)
    until("the court's words at rest", lambda: court(page).description == "No ball in play.")
    root = tree(page)
    pieces = court(page).children
    check([(p.role, p.name) for p in pieces] == [("image", "Paddle")],
          "at rest the court holds the paddle")
    check({"Number of hits: 0", "Number of hits"} <= set(root.texts()),
          "the score is named by its caption")
    check(focus_is(page, "button", "Play"), "Play has the focus")
    bar = root.find("menubar")
    tops = [(n.role, n.name, n.states.get("hasPopup"), n.states.get("expanded"))
            for n in bar.children]
    check(tops == [("menuitem", "Options", "menu", False), ("menuitem", "Help", "menu", False)],
          f"the menu bar's menus, whole captions, closed: {tops}")
    check(root.find("status").states.get("live") == "polite" and
          root.find("alert").states.get("live") == "assertive", "the live regions")

    page.key("o", alt=True)
    until("the Options menu", lambda: tree(page).find("menu", "Options"))
    menu = tree(page).find("menu", "Options")
    items = {n.name: n for n in menu.children}
    check(items["One Player Game"].role == "menuitemcheckbox" and
          items["One Player Game"].states.get("checked") == "true", "One Player Game is checked")
    check(items["Two Player Game"].states.get("hasPopup") == "menu" and
          items["Computer Skill"].states.get("disabled"), "a submenu is marked, a disabled one too")
    check(items["Play game to..."].role == "menuitem", "a command is a plain menu item")
    page.key("Escape")

    # A one-player game of 3 balls in which the paddle never moves.
    page.key("Enter")
    until("the ball in the court", lambda: court(page).find("image", "Ball"))
    check(focus_is(page, "application", "Court"), "during a game the court has the focus")
    until("the ball's place in words", lambda: court(page).description.startswith("Ball in the "))
    check(all(n.states.get("disabled") for n in tree(page).find("menubar").children),
          "the menus are disabled during a game")
    session.keep("a11y_during_game")
    until("the next ball", lambda: "Ball 2" in tree(page).texts(), GAME_DEADLINE)
    until("the lost ball told", lambda: any("Ball 2." in text for _, text in told(page)))
    until("Game Over!", lambda: "Game Over!" in tree(page).texts(), GAME_DEADLINE)
    until("Game Over! told", lambda: "Game Over!" in " ".join(tree(page).find("status").texts()))
    check(focus_is(page, "button", "Play"), "after the game Play has the focus again")
    news = [text for region, text in told(page)]
    print(f"told: {news}")
    check(news.index(next(t for t in news if "Ball 3." in t)) <
          news.index(next(t for t in news if "Game Over!" in t)), "the news in order")

    # The game against the computer: its scores, a point, and the winner.
    page.key("o", alt=True)
    page.key("t")
    page.key("c")
    until("the two scores", lambda: {"Computer Score: 0", "Player Score: 0"} <=
         set(tree(page).texts()))
    check([p.name for p in court(page).children] == ["Left paddle", "Right paddle"],
          "the court holds both paddles")
    page.key("Enter")
    until("a point", lambda: "Computer Score: 1" in tree(page).texts(), GAME_DEADLINE)
    until("the point told", lambda: any("Computer scores." in t for _, t in told(page)))
    until("the winner's box", lambda: tree(page).find("dialog", "Rallo2"), GAME_DEADLINE)
    box = tree(page).find("dialog", "Rallo2")
    check(box.description == "Computer Wins!" and box.states.get("modal"),
          "the winner's box is a modal dialog named by its title, its text as description")
    check(["urgent-news", "Computer Wins!"] in told(page), "the winner is told at once")
    check(focus_is(page, "button", "OK"), "OK has the focus")
    press(page, TAB)
    check(focus_is(page, "button", "OK"), "Tab stays in the message box")
    page.key("Enter")
    until("Play after the match", lambda: focus_is(page, "button", "Play"))
    print("ok: after the match Play has the focus again")


def case_keyboard(session):
    page = open_page(session)
    press(page, F10)
    until("F10 to the menu bar", lambda: focus_is(page, "menuitem", "Options"))
    check(not tree(page).find("menu"), "F10 opens no menu")
    press(page, ALT, ALT_DOWN)
    until("Alt back to Play", lambda: focus_is(page, "button", "Play"))
    press(page, ALT, ALT_DOWN)
    until("Alt alone to the menu bar", lambda: focus_is(page, "menuitem", "Options"))
    page.key("Escape")
    until("Escape back to Play", lambda: focus_is(page, "button", "Play"))

    def open_length_dialog():
        press(page, F10)
        page.key("Enter")
        until("the first item", lambda: focus_is(page, "menuitemcheckbox", "One Player Game"))
        page.key("ArrowUp")
        until("the last item", lambda: focus_is(page, "menuitem", "Play game to..."))
        page.key("Enter")
        until("the dialog's text box", lambda: focus_is(page, "textbox", "Play a game to"))

    open_length_dialog()
    check(tree(page).find("dialog").states.get("modal"), "the dialog is modal")
    page.key("Escape")
    until("Escape cancels the dialog", lambda: focus_is(page, "button", "Play"))
    open_length_dialog()
    for key, modifiers, where in ((TAB, 0, ("button", "Set length of game")),
                                  (TAB, 0, ("textbox", "Play a game to")),
                                  (TAB, SHIFT, ("button", "Set length of game")),
                                  (TAB, SHIFT, ("textbox", "Play a game to"))):
        press(page, key, modifiers)
        until(f"Tab to {where}", lambda: focus_is(page, *where))
    print("ok: Tab and Shift+Tab stay in the dialog")
    page.type_text("5")  # over the text, which Tab selected
    page.key("Enter")
    until("Play with the keyboard", lambda: focus_is(page, "button", "Play"))
    page.key("Enter")
    until("the court with the keyboard", lambda: focus_is(page, "application", "Court"))
    until("ball 5", lambda: "Ball 5" in tree(page).texts(), GAME_DEADLINE)
    until("Game Over!", lambda: "Game Over!" in tree(page).texts(), GAME_DEADLINE)
    until("Play after a game of 5", lambda: focus_is(page, "button", "Play"))
    print("ok: a game of 5 balls set and played from the keyboard, Play has the focus after")


def case_axe(session, axe_js):
    page = open_page(session)
    with open(axe_js, encoding="utf-8") as source:
        page.eval(source.read() + ";0")

    def no_violations(state):
        found = page.eval("axe.run().then(r => r.violations.map(v => "
                          "`${v.id}: ${v.nodes.map(n => n.target.join(' ')).join(', ')}`))")
        check(found == [], f"axe finds nothing {state}: {found}")

    no_violations("at rest")
    page.key("o", alt=True)
    page.key("b")
    until("the Ball Speed menu", lambda: tree(page).find("menu", "Ball Speed"))
    no_violations("with a menu open")
    page.key("Escape")
    page.key("Escape")
    press(page, F10)
    page.key("Enter")
    page.key("ArrowUp")
    page.key("Enter")
    until("the dialog", lambda: tree(page).find("dialog"))
    no_violations("with the dialog open")
    page.type_text("x")
    page.key("Enter")
    until("the message box", lambda: tree(page).find("dialog", "Rallo2"))
    no_violations("with a message box open")
    page.key("Enter")
    page.key("Escape")
    wait("the play window", page.game_ready)
    page.key("Enter")
    until("the ball in the court", lambda: court(page).find("image", "Ball"))
    no_violations("during a game")


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    page_dir, axe_js, shots = sys.argv[1:4]
    os.makedirs(shots, exist_ok=True)
    cases = {"tree": case_tree, "keyboard": case_keyboard,
             "axe": lambda session: case_axe(session, axe_js)}
    names = sys.argv[4:] or list(cases)
    unknown = [name for name in names if name not in cases]
    if unknown:
        sys.exit(f"unknown case: {', '.join(unknown)}\n{__doc__}")
    return runner.run_cases(cases, names, lambda name: Browser(page_dir, shots))


if __name__ == "__main__":
    sys.exit(main())
