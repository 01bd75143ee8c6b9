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
ESCAPE = ("Escape", "Escape", 27)
SHIFT = 8  # DevTools' modifier bit
ALT_DOWN = 1


class Node:
    """One node of the tree a reader gets, ignored nodes left out."""

    def __init__(self, raw, children):
        self.role, self.children = raw["role"]["value"], children
        self.name = raw.get("name", {}).get("value", "")
        self.description = raw.get("description", {}).get("value", "")
        self.states = {p["name"]: p["value"].get("value") for p in raw.get("properties", [])}

    def all(self):
        yield self
        for child in self.children:
            yield from child.all()

    def find(self, role, name=None):
        return next((n for n in self.all() if n.role == role and name in (None, n.name)), None)

    def texts(self):
        return [n.name for n in self.all() if n.role == "StaticText"]


def tree(page):
    raw = page.send("Accessibility.getFullAXTree")["nodes"]
    by_id = {n["nodeId"]: n for n in raw}

    def build(node):
        kids = [k for c in node.get("childIds", []) if c in by_id for k in build(by_id[c])]
        return kids if node.get("ignored") else [Node(node, kids)]

    return build(raw[0])[0]


def press(page, key, modifiers=0):
    name, code, virtual = key
    for kind, held in (("keyDown", modifiers), ("keyUp", 0)):
        page.send("Input.dispatchKeyEvent", type=kind, key=name, code=code,
                  windowsVirtualKeyCode=virtual, modifiers=held)


def until(what, probe, deadline=STATE_DEADLINE):
    return wait(what, probe, deadline, TREE_POLL_S)


def focus_is(page, role, name):
    node = next((n for n in tree(page).all() if n.states.get("focused") and
                 n.role != "RootWebArea"), None)
    return node is not None and (node.role, node.name) == (role, name)


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


def keys(page, *names):
    for name in names:
        if isinstance(name, tuple):
            press(page, name)
        else:
            page.key(name)


def case_tree(session):
    page = open_page(session)
    until("the court at rest", lambda: court(page).description == "No ball in play.")
    root = tree(page)
    check([(p.role, p.name) for p in court(page).children] == [("image", "Paddle")],
          "at rest the court holds the paddle")
    check({"Number of hits: 0", "Number of hits"} <= set(root.texts()), "the score's name")
    check(focus_is(page, "button", "Play"), "Play has the focus")
    tops = [(n.role, n.name, n.states.get("hasPopup"), n.states.get("expanded"))
            for n in root.find("menubar").children]
    check(tops == [("menuitem", "Options", "menu", False), ("menuitem", "Help", "menu", False)],
          f"the menu bar's menus, whole captions, closed: {tops}")
    check((root.find("status").states.get("live"), root.find("alert").states.get("live")) ==
          ("polite", "assertive"), "the live regions")
    page.key("o", alt=True)
    items = {n.name: n for n in until("the menu", lambda: tree(page).find("menu")).children}
    check((items["One Player Game"].role, items["One Player Game"].states.get("checked"),
           items["Play game to"].role) == ("menuitemcheckbox", "true", "menuitem"),
          "a checked item and a command")
    check(items["Two Player Game"].states.get("hasPopup") == "menu" and
          items["Computer Skill"].states.get("disabled"), "a submenu, a disabled one")
    keys(page, "Escape", "Enter")  # a game of 3 balls in which the paddle never moves

    until("the ball in the court", lambda: court(page).find("image", "Ball"))
    check(focus_is(page, "application", "Court"), "during a game the court has the focus")
    until("the ball's place in words", lambda: court(page).description.startswith("Ball in the "))
    check(all(n.states.get("disabled") for n in tree(page).find("menubar").children),
          "the menus are disabled during a game")
    session.keep("a11y_during_game")
    until("the next ball", lambda: "Ball 2" in tree(page).texts(), GAME_DEADLINE)
    until("Game Over!", lambda: "Game Over!" in tree(page).texts(), GAME_DEADLINE)
    until("Game Over! told", lambda: "Game Over!" in " ".join(tree(page).find("status").texts()))
    check(focus_is(page, "button", "Play"), "after the game Play has the focus again")
    news = [text for _, text in told(page)]
    at = [next((i for i, text in enumerate(news) if want in text), None)
          for want in ("Ball 2.", "Ball 3.", "Game Over!")]
    check(None not in at and at == sorted(at), f"the news of the game in order: {news}")

    page.key("o", alt=True)
    keys(page, "t", "c")  # the game against the computer
    until("its scores", lambda: {"Computer Score: 0", "Player Score: 0"} <= set(tree(page).texts()))
    check([p.name for p in court(page).children] == ["Left paddle", "Right paddle"],
          "the court holds both paddles")
    page.key("Enter")
    until("a point", lambda: "Computer Score: 1" in tree(page).texts(), GAME_DEADLINE)
    until("the point told", lambda: any("Computer scores." in t for _, t in told(page)))
    box = until("the winner's box", lambda: tree(page).find("alertdialog", "Rallo2"),
                GAME_DEADLINE)
    check(box.description == "Computer Wins!" and box.states.get("modal"),
          "the winner's box: a modal alert named by its title, its text its description")
    check(["urgent-news", "Computer Wins!"] in told(page), "the winner is told at once")
    press(page, TAB)
    check(focus_is(page, "button", "OK"), "OK keeps the focus, Tab too")
    page.key("Enter")
    until("Play after the match", lambda: focus_is(page, "button", "Play"))


def case_keyboard(session):
    page = open_page(session)
    for key, modifiers, role, name in ((F10, 0, "menuitem", "Options"),
                                       (ALT, ALT_DOWN, "button", "Play"),
                                       (ALT, ALT_DOWN, "menuitem", "Options"),
                                       (ESCAPE, 0, "button", "Play")):
        press(page, key, modifiers)
        until(f"{key[0]} to {name}", lambda: focus_is(page, role, name))
        check(not tree(page).find("menu"), f"{key[0]} to {name}, no menu open")

    def open_length_dialog():
        press(page, F10)
        page.key("Enter")
        until("the first item", lambda: focus_is(page, "menuitemcheckbox", "One Player Game"))
        page.key("ArrowUp")
        until("the last item", lambda: focus_is(page, "menuitem", "Play game to"))
        page.key("Enter")
        until("the dialog's text box", lambda: focus_is(page, "textbox", "Play a game to"))

    open_length_dialog()
    check(tree(page).find("dialog").states.get("modal"), "the dialog is modal")
    page.key("Escape")
    until("Escape cancels the dialog", lambda: focus_is(page, "button", "Play"))
    open_length_dialog()
    for modifiers, role, name in ((0, "button", "Set length of game"),
                                  (0, "textbox", "Play a game to"),
                                  (SHIFT, "button", "Set length of game"),
                                  (SHIFT, "textbox", "Play a game to")):
        press(page, TAB, modifiers)
        until(f"Tab to {name}", lambda: focus_is(page, role, name))
    page.type_text("5")  # over the text, which Tab selected
    page.key("Enter")
    until("Play with the keyboard", lambda: focus_is(page, "button", "Play"))
    page.key("Enter")
    until("the court with the keyboard", lambda: focus_is(page, "application", "Court"))
    until("ball 5", lambda: "Ball 5" in tree(page).texts(), GAME_DEADLINE)
    until("Game Over!", lambda: "Game Over!" in tree(page).texts(), GAME_DEADLINE)
    until("Play after a game of 5", lambda: focus_is(page, "button", "Play"))
    print("ok: a game of 5 balls set and played with keys alone, Play has the focus after")


def case_axe(session, axe_js):
    page = open_page(session)
    with open(axe_js, encoding="utf-8") as source:
        page.eval(source.read() + ";0")

    def no_violations(state, shown):
        until(state, shown)
        found = page.eval("axe.run().then(r => r.violations.map(v => "
                          "`${v.id}: ${v.nodes.map(n => n.target.join(' ')).join(', ')}`))")
        check(found == [], f"axe finds nothing {state}: {found}")

    no_violations("at rest", page.game_ready)
    page.key("o", alt=True)
    page.key("b")
    no_violations("with a menu open", lambda: tree(page).find("menu", "Ball Speed"))
    keys(page, "Escape", "Escape", F10, "Enter", "ArrowUp", "Enter")
    no_violations("with the dialog open", lambda: tree(page).find("dialog"))
    page.type_text("x")
    page.key("Enter")
    no_violations("with a message box open", lambda: tree(page).find("alertdialog", "Rallo2"))
    keys(page, "Enter", "Escape")
    until("the play window", page.game_ready)
    page.key("Enter")
    no_violations("during a game", lambda: court(page).find("image", "Ball"))


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
