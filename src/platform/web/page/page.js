// The page's half of Rallo2: in-page windows with their menus, the court on a
// canvas, labels, buttons and text boxes as elements, message boxes and the
// frame clock. The game (rallo2.js) calls ralloPage to show what it holds;
// what the player does is queued here and handed to the game in order.
"use strict";

const FRAME_MS = 15.625;  // the game's speeds are per 1/64 s frame
const FRAME_BORDER = 3;   // px each side: the 90 twips of frame the game allows
const EVENT = {KeyDown: 1, KeyUp: 2, Button: 3, Menu: 4, Text: 5, Tick: 6, Close: 7};
const GAME_KEYS = new Set([19, 37, 38, 39, 40, 65, 80, 83, 90]);
const NAMED_KEYS = {
  Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16,
  ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20,
  Escape: 27, Space: 32, PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37,
  ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Insert: 45, Delete: 46,
};

function cssColor(color) {  // 0x00BBGGRR
  return `rgb(${color & 255},${(color >> 8) & 255},${(color >> 16) & 255})`;
}

function element(tag, className, parent) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (parent) parent.appendChild(node);
  return node;
}

// "&Play": the letter after & is the access letter, underlined; "&&" is "&".
function setCaption(node, caption) {
  node.textContent = "";
  let letter = "";
  for (let i = 0; i < caption.length; ++i) {
    if (caption[i] === "&" && i + 1 < caption.length) {
      ++i;
      if (caption[i] !== "&" && !letter) {
        letter = caption[i].toUpperCase();
        element("u", "", node).textContent = caption[i];
        continue;
      }
    }
    node.appendChild(document.createTextNode(caption[i]));
  }
  return letter;
}

// The Windows virtual-key code the game reads, 0 for keys it has none for.
function virtualKey(event) {
  if (/^[a-z0-9]$/i.test(event.key)) return event.key.toUpperCase().charCodeAt(0);
  const fn = /^F([0-9]+)$/.exec(event.code);
  if (fn && Number(fn[1]) <= 24) return 111 + Number(fn[1]);
  if (/^Key[A-Z]$/.test(event.code)) return event.code.charCodeAt(3);
  return NAMED_KEYS[event.code] || 0;
}

const ralloPage = {
  objects: new Map(),  // id -> window, control, menu item or timer
  names: new Map(),    // name -> id, for the page's tests
  queue: [],
  busy: true,          // the game is running (or not yet started)
  ended: false,
  active: null,        // the window keys go to
  modal: null,
  menuPath: [],        // the open menus, top first
  frameTimes: [],      // when each tick fell due, for the frame-rate figures
  firstPaint: null,
  beeps: 0,

  // --- windows and controls, as the game creates and changes them ---------
  name(id, name) {
    this.names.set(name, id);
    this.pendingName = {id, name};
  },

  window(id, caption, clientWidth, clientHeight, backColor, hasMenus) {
    const root = element("div", "window", document.getElementById("desktop"));
    root.hidden = true;
    const title = element("div", "titlebar", root);
    const text = element("span", "caption", title);
    const close = element("button", "close", title);
    close.textContent = "\u00d7";
    close.title = "Close";
    close.tabIndex = -1;
    close.addEventListener("click", () => this.post({kind: EVENT.Close, a: id}));
    const menuBar = hasMenus ? element("div", "menubar", root) : null;
    if (menuBar) menuBar.setAttribute("role", "menubar");
    const client = element("div", "client", root);
    client.style.background = cssColor(backColor);
    const canvas = element("canvas", "", client);
    const win = {kind: "window", id, root, title: text, menuBar, client, canvas, clientWidth,
                 clientHeight, shapes: [], menus: [], visible: false, dirty: true};
    root.dataset.name = this.nameOf(id);
    root.addEventListener("mousedown", () => { this.active = win; });
    this.objects.set(id, win);
    this.windowUpdate(id, caption, 0, 0, clientWidth + 2 * FRAME_BORDER, 0, false);
  },

  windowUpdate(id, caption, left, top, width, height, visible) {
    const win = this.objects.get(id);
    win.title.textContent = caption;
    win.root.style.left = `${Math.max(0, left)}px`;
    win.root.style.top = `${Math.max(0, top)}px`;
    const clientWidth = Math.max(0, width - 2 * FRAME_BORDER);
    if (clientWidth !== win.width) {
      win.width = clientWidth;
      win.client.style.width = `${clientWidth}px`;
      win.client.style.height = `${win.clientHeight}px`;
      this.sizeCanvas(win);
    }
    if (visible !== win.visible) {
      win.visible = visible;
      win.root.hidden = !visible;
      if (visible) {
        this.active = win;
        // The keyboard goes to the window's first button or text box, as on
        // the desktop; a text box offers its text to be typed over.
        const first = [...win.client.querySelectorAll("button, input")].find(n => !n.hidden);
        if (first) {
          first.focus();
          if (first.select) first.select();
        }
      } else if (this.active === win) {
        this.active = [...this.objects.values()].find(o => o.kind === "window" && o.visible) ||
                      null;
      }
      this.closeMenus();
    }
    this.invalidate(win);
  },

  // Crisp on high-DPI screens: the canvas has one pixel per device pixel.
  sizeCanvas(win) {
    const ratio = window.devicePixelRatio || 1;
    win.canvas.width = Math.round(win.width * ratio);
    win.canvas.height = Math.round(win.clientHeight * ratio);
    win.canvas.style.width = `${win.width}px`;
    win.canvas.style.height = `${win.clientHeight}px`;
    win.ratio = ratio;
    this.invalidate(win);
  },

  nameOf(id) {
    return this.pendingName && this.pendingName.id === id ? this.pendingName.name : "";
  },

  addControl(id, windowId, kind, node) {
    const win = this.objects.get(windowId);
    const control = {kind, id, win, node, visible: true, box: [0, 0, 0, 0], text: ""};
    if (node) {
      node.dataset.name = this.nameOf(id);
      win.client.appendChild(node);
    }
    this.objects.set(id, control);
    return control;
  },

  shape(id, windowId, circle, fill) {
    const shape = this.addControl(id, windowId, "shape", null);
    shape.circle = circle;
    shape.fill = cssColor(fill);
    shape.name = this.nameOf(id);
    shape.win.shapes.push(shape);
  },

  label(id, windowId, style) {
    const node = element("div", "label");
    if (style.systemColors) {
      node.classList.add("system");
    } else {
      node.style.background = cssColor(style.back);
      node.style.color = cssColor(style.fore);
    }
    if (style.centred) node.style.textAlign = "center";
    if (style.border) node.classList.add("border");
    if (style.fontName) node.style.fontFamily = `"${style.fontName}", sans-serif`;
    if (style.fontSize) node.style.fontSize = `${style.fontSize}pt`;
    if (style.bold) node.style.fontWeight = "bold";
    this.addControl(id, windowId, "label", node);
  },

  button(id, windowId) {
    const node = element("button", "button");
    node.type = "button";
    node.addEventListener("click", () => this.post({kind: EVENT.Button, a: id}));
    this.addControl(id, windowId, "button", node);
  },

  textBox(id, windowId) {
    const node = element("input", "textbox");
    node.type = "text";
    node.spellcheck = false;
    node.addEventListener("input", () => this.post({kind: EVENT.Text, a: id, text: node.value}));
    this.addControl(id, windowId, "textbox", node);
  },

  controlUpdate(id, left, top, width, height, visible, text) {
    const control = this.objects.get(id);
    control.box = [left, top, width, height];
    control.visible = visible;
    control.text = text;
    const node = control.node;
    if (!node) {
      this.invalidate(control.win);
      return;
    }
    Object.assign(node.style, {left: `${left}px`, top: `${top}px`, width: `${width}px`,
                               height: `${height}px`});
    node.hidden = !visible;
    if (control.kind === "textbox") {
      if (node.value !== text) node.value = text;
    } else if (control.kind === "button") {
      control.accessLetter = setCaption(node, text);
    } else {
      node.textContent = text;
    }
  },

  invalidate(win) {
    if (win.dirty && win.drawPending) return;
    win.dirty = true;
    if (!win.drawPending) {
      win.drawPending = true;
      requestAnimationFrame(() => this.draw(win));
    }
  },

  // The shapes, back to front, on whole pixels: a solid fill with a thin
  // black outline; boxes under 3 px (the walls) show only their fill, which
  // an outline would cover.
  draw(win) {
    win.drawPending = false;
    win.dirty = false;
    const context = win.canvas.getContext("2d");
    context.setTransform(win.ratio, 0, 0, win.ratio, 0, 0);
    context.clearRect(0, 0, win.width, win.clientHeight);
    const hairline = 1 / win.ratio;
    context.lineWidth = hairline;
    context.strokeStyle = "#000";
    for (const shape of win.shapes) {
      if (!shape.visible) continue;
      const left = Math.round(shape.box[0]), top = Math.round(shape.box[1]);
      const width = Math.round(shape.box[0] + shape.box[2]) - left;
      const height = Math.round(shape.box[1] + shape.box[3]) - top;
      if (width <= 0 || height <= 0) continue;
      context.fillStyle = shape.fill;
      if (width < 3 || height < 3) {
        context.fillRect(left, top, width, height);
      } else if (shape.circle) {
        context.beginPath();
        context.ellipse(left + width / 2, top + height / 2, width / 2 - hairline / 2,
                        height / 2 - hairline / 2, 0, 0, 2 * Math.PI);
        context.fill();
        context.stroke();
      } else {
        context.fillRect(left, top, width, height);
        context.strokeRect(left + hairline / 2, top + hairline / 2, width - hairline,
                           height - hairline);
      }
    }
    if (this.firstPaint === null && win.visible && win.shapes.length) {
      this.firstPaint = performance.now();
    }
  },

  // --- menus ----------------------------------------------------------------
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
    item.checked = checked;
    item.enabled = enabled;
    if (item.check) item.check.textContent = checked ? "\u2713" : "";
    item.node.classList.toggle("disabled", !enabled);
    item.node.setAttribute("aria-disabled", String(!enabled));
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
  },

  // --- the player's input ---------------------------------------------------
  key(event, down) {
    this.wakeAudio();
    if (this.ended) return;
    if (this.modal) {
      if (down && ["Enter", "Escape", " "].includes(event.key)) {
        event.preventDefault();
        this.modal.click();
      } else if (event.key === "Tab") {
        event.preventDefault();
      }
      return;
    }
    if (down && this.menuPath.length) {
      event.preventDefault();
      this.menuKey(event);
      return;
    }
    if (down && event.altKey && /^[a-z0-9]$/i.test(event.key)) {
      if (this.accessKey(event.key.toUpperCase())) {
        event.preventDefault();
        return;
      }
    }
    const win = this.active;
    const code = virtualKey(event);
    if (!win || !win.visible || code === 0) return;
    const typing = event.target instanceof HTMLInputElement;
    // Enter presses the focused button, as Space does, and goes nowhere else.
    if (event.target instanceof HTMLButtonElement && code === 13) return;
    if ((typing && code === 13) || (!typing && GAME_KEYS.has(code))) event.preventDefault();
    this.post({kind: down ? EVENT.KeyDown : EVENT.KeyUp, a: win.id, b: code});
  },

  post(event) {
    if (this.ended) return;
    this.queue.push(event);
    this.pump();
  },

  takeEvent() {
    return this.queue.shift();
  },

  // Hands the queue to the game when it is idle; while it waits, its own
  // processing of events takes them.
  pump() {
    if (this.busy || this.ended || !this.queue.length) return;
    this.busy = true;
    Promise.resolve(Module.ccall("rallo_pump", null, [], [], {async: true})).then(() => {
      this.busy = false;
      this.pump();
    });
  },

  // --- the frame clock: ticks on a fixed 1/64 s schedule; a missed tick is
  // not made up and at most one is waiting for the game ---------------------
  timer(id, running) {
    let clock = this.objects.get(id);
    if (!clock) {
      clock = {kind: "timer", id, running: false, handle: 0};
      this.objects.set(id, clock);
    }
    if (running === clock.running) return;
    clock.running = running;
    clearTimeout(clock.handle);
    if (running) {
      clock.start = performance.now();
      this.arm(clock, 1);
    } else {
      this.queue = this.queue.filter(event => !(event.kind === EVENT.Tick && event.a === id));
    }
  },

  arm(clock, tick) {
    clock.next = tick;
    const left = clock.start + tick * FRAME_MS - performance.now();
    clock.handle = setTimeout(() => this.fire(clock), Math.max(0, Math.ceil(left)));
  },

  fire(clock) {
    if (!clock.running) return;
    const now = performance.now();
    if (now < clock.start + clock.next * FRAME_MS) {
      this.arm(clock, clock.next);
      return;
    }
    this.arm(clock, Math.floor((now - clock.start) / FRAME_MS) + 1);
    if (this.frameTimes.length < 100000) this.frameTimes.push(now);
    if (!this.queue.some(event => event.kind === EVENT.Tick && event.a === clock.id)) {
      this.post({kind: EVENT.Tick, a: clock.id});
    }
  },

  // --- the world outside the windows ----------------------------------------
  viewportWidth() { return document.documentElement.clientWidth || window.innerWidth; },
  viewportHeight() { return document.documentElement.clientHeight || window.innerHeight; },

  separator(type, fallback) {
    const part = new Intl.NumberFormat().formatToParts(12345.6).find(p => p.type === type);
    if (!part) return fallback;
    const code = part.value.charCodeAt(0);
    if (code < 128) return code;
    return /\s/.test(part.value) ? 32 : fallback;  // the no-break spaces some languages use
  },

  // Browsers let a page make sound only after the player has touched it.
  wakeAudio() {
    if (!this.audio && window.AudioContext) this.audio = new AudioContext();
    if (this.audio && this.audio.state === "suspended") this.audio.resume();
  },

  // The page's system beep: a short soft tone.
  beep() {
    ++this.beeps;
    const audio = this.audio;
    if (!audio) return;
    const tone = audio.createOscillator();
    const gain = audio.createGain();
    tone.frequency.value = 880;
    gain.gain.setValueAtTime(0.15, audio.currentTime);
    gain.gain.exponentialRampToValueAtTime(0.001, audio.currentTime + 0.12);
    tone.connect(gain).connect(audio.destination);
    tone.start();
    tone.stop(audio.currentTime + 0.12);
  },

  // A modal box with one OK button; resolves when closed.
  messageBox(title, text, critical) {
    this.closeMenus();
    const backdrop = element("div", "backdrop", document.body);
    const box = element("div", "msgbox", backdrop);
    box.setAttribute("role", critical ? "alertdialog" : "dialog");
    box.setAttribute("aria-modal", "true");
    element("div", "titlebar", box).textContent = title;
    const body = element("div", "body", box);
    const icon = element("span", critical ? "icon critical" : "icon information", body);
    icon.textContent = critical ? "\u00d7" : "i";
    element("p", "text", body).textContent = text.replace(/\r\n/g, "\n");
    const ok = element("button", "ok", box);
    ok.type = "button";
    ok.textContent = "OK";
    const focus = document.activeElement;
    this.modal = ok;
    ok.focus();
    return new Promise(resolve => {
      ok.addEventListener("click", () => {
        this.modal = null;
        backdrop.remove();
        if (focus && focus.focus) focus.focus();
        resolve();
      }, {once: true});
    });
  },

  // The game has ended: nothing of it runs again.
  end() {
    this.ended = true;
    for (const object of this.objects.values()) {
      if (object.kind === "timer") clearTimeout(object.handle);
      if (object.kind === "window") object.root.hidden = true;
    }
    this.queue = [];
    document.getElementById("ended").hidden = false;
    document.getElementById("again").focus();
  },
};

// In the page: wire the document; under Node the tests take the parts.
if (typeof document === "undefined") {
  module.exports = {ralloPage, virtualKey, EVENT, FRAME_MS};
} else {
  document.addEventListener("keydown", event => ralloPage.key(event, true));
  document.addEventListener("keyup", event => ralloPage.key(event, false));
  document.addEventListener("mousedown", event => {
    ralloPage.wakeAudio();
    if (!event.target.closest(".menubar")) ralloPage.closeMenus();
  });
  window.addEventListener("resize", () => {
    for (const object of ralloPage.objects.values()) {
      if (object.kind === "window" && object.ratio !== window.devicePixelRatio) {
        ralloPage.sizeCanvas(object);
      }
    }
  });
  document.getElementById("again").addEventListener("click", () => location.reload());
}

var Module = {
  postRun: [() => {
    ralloPage.busy = false;
    ralloPage.pump();
  }],
};
