// The page's half of Rallo2, its core: the queue of what the player does, the
// keys, the frame clock, message boxes and the end of the game. windows.js and
// menus.js add the views; the game (rallo2.js) calls ralloPage to show what it
// holds and takes the queue in order.
"use strict";

const FRAME_BORDER = 3;   // px each side: the 90 twips of frame the game allows
const EVENT = {KeyDown: 1, KeyUp: 2, Button: 3, Menu: 4, Text: 5, Tick: 6, Close: 7, Wake: 8};
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

function placeAt(node, left, top, width, height) {
  Object.assign(node.style, {left: `${left}px`, top: `${top}px`, width: `${width}px`,
                             height: `${height}px`});
}

// "&Play": the letter after & is the access letter, underlined; "&&" is "&".
// The caption stays in as few text nodes as the underline allows, so that a
// reader meets whole words.
function setCaption(node, caption) {
  node.textContent = "";
  let letter = "";
  let run = "";
  for (let i = 0; i < caption.length; ++i) {
    if (caption[i] === "&" && i + 1 < caption.length) {
      ++i;
      if (caption[i] !== "&" && !letter) {
        letter = caption[i].toUpperCase();
        if (run) node.appendChild(document.createTextNode(run));
        element("u", "", node).textContent = caption[i];
        run = "";
        continue;
      }
    }
    run += caption[i];
  }
  if (run) node.appendChild(document.createTextNode(run));
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
  keys: {},            // the game's keys by name, told before its first window
  objects: new Map(),  // id -> window, control, menu item or timer
  names: new Map(),    // name -> id, for the page's tests
  idNames: new Map(),  // id -> name, for the elements' data-name
  queue: [],
  busy: true,          // the game is running (or not yet started)
  ended: false,
  active: null,        // the window keys go to
  modal: null,
  menuPath: [],        // the open menus, top first

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
    if (this.navigationKey(event, down)) {
      event.preventDefault();
      return;
    }
    if (down && this.marked) {
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
    if ((typing && code === 13) || (!typing && this.isGameKey(code))) event.preventDefault();
    this.post({kind: down ? EVENT.KeyDown : EVENT.KeyUp, a: win.id, b: code});
  },

  isGameKey(code) {
    return Object.values(this.keys).includes(code);
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

  // --- the frame clock's timer: the game says when it next wants waking and
  // takes the tick, judging it against its schedule -------------------------
  armTimer(id, ms) {
    const clock = this.clock(id);
    clearTimeout(clock.handle);
    clock.handle = setTimeout(() => this.post({kind: EVENT.Tick, a: id}), ms);
  },

  stopTimer(id) {
    clearTimeout(this.clock(id).handle);
    this.queue = this.queue.filter(event => !(event.kind === EVENT.Tick && event.a === id));
  },

  clock(id) {
    let clock = this.objects.get(id);
    if (!clock) {
      clock = {kind: "timer", id, handle: 0};
      this.objects.set(id, clock);
    }
    return clock;
  },

  // --- the world outside the windows (fit.js tells the game its screen) -----
  // The first character of the language's separator; the game makes it usable.
  separator(type) {
    const part = new Intl.NumberFormat().formatToParts(12345.6).find(p => p.type === type);
    return part ? part.value.codePointAt(0) : 0;
  },

  // Browsers let a page make sound only after the player has touched it.
  wakeAudio() {
    if (!this.audio && window.AudioContext) this.audio = new AudioContext();
    if (this.audio && this.audio.state === "suspended") this.audio.resume();
  },

  // The page's system beep: a short soft tone.
  beep() {
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
    // An alert, as every message box of the desktop's is to a screen reader.
    box.setAttribute("role", "alertdialog");
    box.setAttribute("aria-modal", "true");
    const titleBar = element("div", "titlebar", box);
    titleBar.textContent = title;
    const body = element("div", "body", box);
    const icon = element("span", critical ? "icon critical" : "icon information", body);
    icon.textContent = critical ? "\u00d7" : "i";
    icon.setAttribute("aria-hidden", "true");  // the role says as much
    const message = element("p", "text", body);
    message.textContent = text.replace(/\r\n/g, "\n");
    this.refer(box, "aria-labelledby", titleBar);
    this.refer(box, "aria-describedby", message);
    const ok = element("button", "ok", box);
    ok.type = "button";
    ok.textContent = "OK";
    this.arrange();
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
  module.exports = {ralloPage, virtualKey, EVENT};
} else {
  document.addEventListener("keydown", event => ralloPage.key(event, true));
  document.addEventListener("keyup", event => ralloPage.key(event, false));
  document.addEventListener("mousedown", event => {
    ralloPage.wakeAudio();
    if (!event.target.closest(".menubar")) ralloPage.closeMenus();
  });
  document.getElementById("again").addEventListener("click", () => location.reload());
}

var Module = {
  postRun: [() => {
    ralloPage.busy = false;
    ralloPage.pump();
  }],
};
