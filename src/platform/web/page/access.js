// What a screen reader or a keyboard-only player needs of the page beyond
// what it draws: the words the game gives its court, labels and news, the
// menus' roles and states, the menu bar from the keyboard, and where the
// focus goes as a game starts and ends.
"use strict";

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
    else if (control.node) control.node.setAttribute("aria-label", name);
  },

  fillLabel(control) {
    const node = control.node;
    const spoken = control.spoken || "";
    if (!spoken || spoken === control.text.trim().replace(/\s+/g, " ")) {
      node.textContent = control.text;
      return;
    }
    node.textContent = "";
    element("span", "", node).textContent = control.text;
    node.firstChild.setAttribute("aria-hidden", "true");
    element("span", "reader-only", node).textContent = spoken;
  },

  // The game's news: a polite word, or an urgent one that interrupts. The
  // same words twice in a row are still news, so the region is emptied first.
  announce(text, urgent) {
    const region = document.getElementById(urgent ? "urgent-news" : "news");
    region.textContent = "";
    requestAnimationFrame(() => { region.textContent = text; });
  },

  // --- the menus ------------------------------------------------------------
  // A menu item's role and states: a checked item is a checked menu item
  // check box, as on the desktop only a checked item is checkable; the name is
  // the whole caption, without the check mark or the submenu's arrow.
  describeMenuItem(item) {
    const node = item.node;
    node.setAttribute("role", item.checked ? "menuitemcheckbox" : "menuitem");
    if (item.checked) node.setAttribute("aria-checked", "true");
    else node.removeAttribute("aria-checked");
    node.setAttribute("aria-label", item.text.textContent);
    if (item.popup) item.popup.setAttribute("aria-label", item.text.textContent);
    if (!item.parent && item.letter) node.setAttribute("aria-keyshortcuts", `Alt+${item.letter}`);
    node.tabIndex = -1;
  },

  // The item the keyboard is at has the focus, so a reader follows it.
  focusMenuItem(item) {
    if (!this.focusBeforeMenus) this.focusBeforeMenus = document.activeElement;
    if (document.activeElement !== item.node) item.node.focus();
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
      return down ? this.toggleMenuBar(win) : true;
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
