// What a screen reader or a keyboard-only player needs of the page beyond
// what it draws: the words the game gives its court, labels and news, the
// menus' roles and states, the menu bar from the keyboard, and where the
// focus goes as a game starts and ends.
"use strict";

const DESCRIBE_EVERY_MS = 250;  // often enough to follow a rally by ear

Object.assign(ralloPage, {
  nextReference: 0,
  focusBeforeMenus: null,  // where the keyboard was before the menus took it

  // Points an ARIA relation of `node` at `target`, giving it an id if needed.
  refer(node, attribute, target) {
    if (!target.id) target.id = `rallo-ref-${++this.nextReference}`;
    node.setAttribute(attribute, target.id);
  },

  // --- the game's words -----------------------------------------------------
  // A control's name as the game words it; a label whose name is not its
  // text ("Number of hits: 3" for " 3") is heard by its name instead.
  accessibleName(id, name) {
    const control = this.objects.get(id);
    control.spoken = name;
    if (control.kind === "label") this.fillLabel(control);
    else if (control.kind === "menu") control.text.setAttribute("aria-label", name);
    else if (control.node) control.node.setAttribute("aria-label", name);
  },

  fillLabel(control) {
    const node = control.node;
    const spoken = control.spoken || "";
    if (!spoken || spoken === control.text) {
      node.textContent = control.text;
      return;
    }
    node.textContent = "";
    element("span", "", node).textContent = control.text;
    node.firstChild.setAttribute("aria-hidden", "true");
    element("span", "reader-only", node).textContent = spoken;
  },

  // The court: an element over the drawing that takes the keys during a game,
  // named and described by the game, with its pieces inside at their places.
  // Screen readers hand every key to an application, arrows included.
  court(windowId, name) {
    const win = this.objects.get(windowId);
    const node = element("div", "court", win.client);
    node.setAttribute("role", "application");
    node.setAttribute("aria-label", name);
    node.tabIndex = 0;
    const description = element("div", "", win.root);
    description.hidden = true;
    this.refer(node, "aria-describedby", description);
    win.court = {node, description, pieces: [], pending: null, describing: null};
  },

  piece(id, name) {
    const shape = this.objects.get(id);
    shape.piece = element("div", "piece", shape.win.court.node);
    shape.piece.setAttribute("role", "img");
    shape.piece.setAttribute("aria-label", name);
    shape.win.court.pieces.push(shape);
  },

  // The ball moves every frame; a reader is given its new place a few times
  // a second at most.
  describe(windowId, text) {
    const court = this.objects.get(windowId).court;
    court.pending = text;
    if (court.describing) return;
    court.description.textContent = text;
    court.pending = null;
    court.describing = setTimeout(() => {
      court.describing = null;
      if (court.pending !== null) this.describe(windowId, court.pending);
    }, DESCRIBE_EVERY_MS);
  },

  // The court lies between its walls, the shapes that are not pieces, and
  // within the window.
  placeCourt(win) {
    const court = win.court;
    let box = null;
    for (const shape of win.shapes) {
      if (shape.piece) continue;
      const [left, top, width, height] = shape.box;
      box = box ? [Math.min(box[0], left), Math.min(box[1], top),
                   Math.max(box[2], left + width), Math.max(box[3], top + height)]
                : [left, top, left + width, top + height];
    }
    if (!box) return;
    box = [Math.max(0, box[0]), Math.max(0, box[1]), Math.min(win.width, box[2]),
           Math.min(win.clientHeight, box[3])];
    placeAt(court.node, box[0], box[1], box[2] - box[0], box[3] - box[1]);
    for (const shape of court.pieces) {
      shape.piece.hidden = !shape.visible;
      placeAt(shape.piece, shape.box[0] - box[0], shape.box[1] - box[1], shape.box[2],
              shape.box[3]);
    }
  },

  // The game's news: a polite word, or an urgent one that interrupts. The
  // same words twice in a row are still news, so the region is emptied first.
  announce(text, urgent) {
    const region = document.getElementById(urgent ? "urgent-news" : "news");
    region.textContent = "";
    requestAnimationFrame(() => { region.textContent = text; });
  },

  // The game holds back news that comes too soon after the last, and asks
  // to be woken when it may tell it.
  wakeAfter(milliseconds) {
    setTimeout(() => this.post({kind: EVENT.Wake}), milliseconds);
  },

  // --- the menus ------------------------------------------------------------
  // A menu item's role and states: a checked item is a checked menu item
  // check box, as on the desktop only a checked item is checkable.
  describeMenuItem(item) {
    const node = item.text;
    node.setAttribute("role", item.checked ? "menuitemcheckbox" : "menuitem");
    if (item.checked) node.setAttribute("aria-checked", "true");
    else node.removeAttribute("aria-checked");
    if (!item.parent && item.letter) node.setAttribute("aria-keyshortcuts", `Alt+${item.letter}`);
  },

  // The item the keyboard is at has the focus, so a reader follows it.
  focusMenuItem(item) {
    if (!this.focusBeforeMenus) this.focusBeforeMenus = document.activeElement;
    if (document.activeElement !== item.text) item.text.focus();
  },

  // The menus are closed: the focus goes back where it was.
  leaveMenus() {
    const before = this.focusBeforeMenus;
    this.focusBeforeMenus = null;
    if (!document.activeElement || !document.activeElement.closest(".menubar")) return;
    if (before && before !== document.body && shown(before)) before.focus();
    else if (this.active) this.settleFocus(this.active);
  },

  // A top menu marked in the menu bar, none open: Alt or F10 on the desktop.
  markTopMenu(top) {
    this.clearMenuMarks();
    this.menuPath = [];
    top.node.classList.add("marked");
    this.marked = top;
    this.focusMenuItem(top);
  },

  // --- the keyboard ---------------------------------------------------------
  // Keys the page itself takes: Alt alone and F10 go to the menu bar and
  // back; Tab stays inside a dialog. True if the key is taken.
  navigationKey(event, down) {
    const win = this.active;
    if (event.key === "Alt") {
      if (down) {
        this.altAlone = !event.repeat;
        return false;
      }
      if (!this.altAlone) return false;
      this.altAlone = false;
      return this.toggleMenuBar(win);
    }
    if (down) this.altAlone = false;
    if (event.key === "F10" && !event.altKey && !event.ctrlKey && !event.shiftKey) {
      if (down) this.toggleMenuBar(win);
      return true;  // the menu bar's key, never the game's
    }
    if (event.key === "Tab" && down && win && win.dialog && !this.marked) {
      this.tabInside(win.root, event.shiftKey ? -1 : 1);
      return true;
    }
    return false;
  },

  toggleMenuBar(win) {
    if (this.marked) {
      this.closeMenus();
      return true;
    }
    if (!win || !win.visible || !win.menus.some(top => top.enabled)) return false;
    this.markTopMenu(win.menus[0]);
    return true;
  },

  // Tab and Shift+Tab go round the focusable elements of `container`.
  tabInside(container, by) {
    const stops = [...container.querySelectorAll("button, input, [tabindex]")].filter(node =>
      node.tabIndex >= 0 && !node.disabled && shown(node));
    if (!stops.length) return;
    const at = stops.indexOf(document.activeElement);
    const next = at < 0 ? (by > 0 ? 0 : stops.length - 1)
                        : (at + by + stops.length) % stops.length;
    stops[next].focus();
    if (stops[next].select) stops[next].select();
  },

  // Buttons show and hide in a row; the focus is settled once they are done.
  settleFocusSoon(win) {
    if (win.focusQueued) return;
    win.focusQueued = true;
    Promise.resolve().then(() => {
      win.focusQueued = false;
      this.settleFocus(win);
    });
  },

  // While a game runs no button shows, and the keys and a reader's attention
  // go to the court; when the buttons come back the first takes the focus.
  settleFocus(win) {
    if (!win.visible || this.modal || this.marked || this.ended) return;
    const first = [...win.client.querySelectorAll(".button")].find(shown);
    const focused = document.activeElement;
    const court = win.court && win.court.node;
    if (!first) {
      if (court && focused !== court) court.focus();
    } else if (!focused || focused === court || !win.root.contains(focused) || !shown(focused)) {
      first.focus();
    }
  },
});

// Shown on the page: neither it nor anything round it is hidden.
function shown(node) {
  return node.isConnected && node.getClientRects().length > 0;
}
