// The menu bar of a window: the game's menu tree with its check marks,
// disabled items and access letters, worked by mouse and by keyboard.
"use strict";

Object.assign(ralloPage, {
  menu(id, windowId, parentId, hasChildren) {
    const win = this.objects.get(windowId);
    const parent = parentId >= 0 ? this.objects.get(parentId) : null;
    const item = {kind: "menu", id, win, parent, hasChildren, children: [], enabled: true,
                  checked: false, letter: ""};
    if (parent) {
      if (!parent.popup) {
        parent.popup = element("div", "popup", parent.node);
        parent.popup.setAttribute("role", "menu");
        this.refer(parent.popup, "aria-labelledby", parent.text);
      }
      item.node = element("div", "item", parent.popup);
      item.check = element("span", "check", item.node);
      item.check.setAttribute("aria-hidden", "true");  // the checked state says it
      item.text = element("span", "text", item.node);
      if (hasChildren) {
        const arrow = element("span", "arrow", item.node);
        arrow.textContent = "\u25b8";
        arrow.setAttribute("aria-hidden", "true");  // aria-haspopup says it
      }
      parent.children.push(item);
    } else {
      item.node = element("div", "top", win.menuBar);
      item.text = element("span", "text", item.node);
      win.menus.push(item);
    }
    // The caption is the menu item to a reader; its submenu lies beside it,
    // as the menu bar's own pattern has it, so that its items are no part
    // of the caption's name.
    item.node.setAttribute("role", "none");
    item.text.setAttribute("role", "menuitem");
    item.text.tabIndex = -1;  // the keyboard's place in the menus is a real focus
    if (hasChildren) {
      item.text.setAttribute("aria-haspopup", "menu");
      item.text.setAttribute("aria-expanded", "false");
    }
    item.node.dataset.name = this.nameOf(id);
    item.node.addEventListener("mousedown", event => event.preventDefault());
    item.node.addEventListener("click", event => {
      event.stopPropagation();
      if (event.target.closest(".item, .top") === item.node) this.activate(item, true);
    });
    item.node.addEventListener("mouseenter", () => {
      if (this.menuPath.length && item.enabled) this.openTo(item, true);
    });
    this.objects.set(id, item);
  },

  menuUpdate(id, caption, checked, enabled) {
    const item = this.objects.get(id);
    item.letter = setCaption(item.text, caption);
    item.checked = checked;
    item.enabled = enabled;
    if (item.check) item.check.textContent = checked ? "\u2713" : "";
    this.describeMenuItem(item);
    item.node.classList.toggle("disabled", !enabled);
    item.text.setAttribute("aria-disabled", String(!enabled));
    if (!enabled && this.menuPath.includes(item)) this.closeMenus();
  },

  // Marks `item` with every menu above it open; `openItself` opens it too
  // if it is a submenu.
  openTo(item, openItself) {
    this.clearMenuMarks();
    const path = [];
    for (let at = openItself && item.hasChildren ? item : item.parent; at; at = at.parent) {
      path.unshift(at);
    }
    this.menuPath = path;
    for (const open of path) {
      open.node.classList.add("open");
      open.text.setAttribute("aria-expanded", "true");
    }
    if (item.parent && !path.includes(item)) item.node.classList.add("marked");
    this.marked = item;
    this.focusMenuItem(item);
  },

  // A submenu opens (from the keyboard with its first item marked); a
  // command closes the menus and goes to the game.
  activate(item, byMouse) {
    if (!item.enabled) return;
    if (item.hasChildren) {
      if (byMouse && !item.parent && this.menuPath[0] === item) {
        this.closeMenus();
        return;
      }
      this.openTo(item, true);
      const first = item.children.find(child => child.enabled);
      if (!byMouse && first) this.openTo(first, false);
      return;
    }
    this.closeMenus();
    this.post({kind: EVENT.Menu, a: item.id});
  },

  clearMenuMarks() {
    for (const open of this.menuPath) {
      open.node.classList.remove("open");
      open.text.setAttribute("aria-expanded", "false");
    }
    for (const node of document.querySelectorAll(".menubar .marked")) {
      node.classList.remove("marked");
    }
  },

  closeMenus() {
    this.clearMenuMarks();
    this.menuPath = [];
    this.marked = null;
    this.leaveMenus();
  },

  // Keys while a menu is open: arrows move, Enter chooses, a letter chooses
  // its item, Escape closes one level, Tab leaves the menus. With the menu
  // bar marked and no menu open, Left and Right go along the bar and Enter
  // or Down opens the marked menu.
  menuKey(event) {
    const marked = this.marked;
    const tops = marked.win.menus;
    if (!this.menuPath.length) {
      const by = {ArrowLeft: -1, ArrowRight: 1}[event.key];
      if (by) {
        this.markTopMenu(tops[(tops.indexOf(marked) + by + tops.length) % tops.length]);
        return;
      }
      if (["ArrowDown", "ArrowUp", "Enter", " "].includes(event.key)) {
        this.activate(marked, false);
        return;
      }
    }
    const inside = this.menuPath.includes(marked);  // an open menu, nothing in it marked
    const list = inside ? marked.children : marked.parent ? marked.parent.children : tops;
    const step = (from, by) => {
      for (let i = 1; i <= list.length; ++i) {
        const next = list[(list.indexOf(from) + by * i + list.length * i) % list.length];
        if (next.enabled) return next;
      }
      return from;
    };
    const nextTop = by => {
      const at = tops.indexOf(this.menuPath[0]);
      return tops[(at + by + tops.length) % tops.length];
    };
    switch (event.key) {
      case "Escape":
        if (marked.parent && marked.parent.parent) this.openTo(marked.parent, false);
        else this.closeMenus();
        break;
      case "Tab":
        this.closeMenus();
        break;
      case "ArrowDown":
      case "ArrowUp": {
        const down = event.key === "ArrowDown";
        const from = inside ? (down ? list[list.length - 1] : list[0]) : marked;
        this.openTo(step(from, down ? 1 : -1), false);
        break;
      }
      case "ArrowRight":
        if (marked.hasChildren && marked.parent && !inside) this.activate(marked, false);
        else this.activate(nextTop(1), false);
        break;
      case "ArrowLeft":
        if (marked.parent && marked.parent.parent) this.openTo(marked.parent, false);
        else this.activate(nextTop(-1), false);
        break;
      case "Enter":
      case " ":
        if (!inside) this.activate(marked, false);
        break;
      default: {
        const letter = event.key.toUpperCase();
        const found = list.find(item => item.letter === letter && item.enabled);
        if (found) this.activate(found, false);
      }
    }
  },

  // Alt and a letter: the active window's menu or button with that letter.
  accessKey(letter) {
    const win = this.active;
    if (!win) return false;
    const top = win.menus.find(item => item.letter === letter && item.enabled);
    if (top) {
      this.activate(top, false);
      return true;
    }
    for (const control of this.objects.values()) {
      if (control.win === win && control.kind === "button" && control.visible &&
          control.accessLetter === letter) {
        control.node.click();
        return true;
      }
    }
    return false;
  }
});
