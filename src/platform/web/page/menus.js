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
      if (!parent.popup) parent.popup = element("div", "popup", parent.node);
      item.node = element("div", "item", parent.popup);
      item.node.setAttribute("role", "menuitem");
      item.check = element("span", "check", item.node);
      item.text = element("span", "text", item.node);
      if (hasChildren) element("span", "arrow", item.node).textContent = "\u25b8";
      parent.children.push(item);
    } else {
      item.node = element("div", "top", win.menuBar);
      item.node.setAttribute("role", "menuitem");
      item.text = element("span", "text", item.node);
      win.menus.push(item);
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
    const checkChanged = checked !== item.checked;
    item.checked = checked;
    item.enabled = enabled;
    if (item.check) item.check.textContent = checked ? "\u2713" : "";
    item.node.classList.toggle("disabled", !enabled);
    item.node.setAttribute("aria-disabled", String(!enabled));
    if (!enabled && this.menuPath.includes(item)) this.closeMenus();
    if (checkChanged) this.arrange();  // a new game mode wants its own touch pads
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
    for (const open of path) open.node.classList.add("open");
    if (item.parent && !path.includes(item)) item.node.classList.add("marked");
    this.marked = item;
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
    for (const open of this.menuPath) open.node.classList.remove("open");
    for (const node of document.querySelectorAll(".menubar .marked")) {
      node.classList.remove("marked");
    }
  },

  closeMenus() {
    this.clearMenuMarks();
    this.menuPath = [];
    this.marked = null;
  },

  // Keys while a menu is open: arrows move, Enter chooses, a letter chooses
  // its item, Escape closes one level.
  menuKey(event) {
    const marked = this.marked;
    const tops = marked.win.menus;
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
