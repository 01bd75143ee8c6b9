// The touch pads: on a touch screen, a pad for each way a played paddle
// moves, on its paddle's side of the screen (the one-player paddle's Left on
// the left, Right on the right). A finger on a pad holds the pad's key down
// and lifting it lets the key go; a finger may slide from pad to pad, and
// each finger is its own, so two people play at once. fit.js places the pads.
"use strict";

const PAD_GLYPHS = {up: "\u25b2", down: "\u25bc", left: "\u25c0", right: "\u25b6"};

Object.assign(ralloPage, {
  pads: new Map(),      // key code -> its pad
  fingers: new Map(),   // pointer id -> the key code its finger holds

  touchScreen() {
    return navigator.maxTouchPoints > 0 || matchMedia("(any-pointer: coarse)").matches;
  },

  // The pads the game on show needs by side, each side's stacked top first;
  // null when no pads are shown.
  padSides() {
    const players = this.touchScreen() ? this.players() : [];
    if (!players.length) return null;
    const sides = {};
    for (const player of players) {
      if (player.side === "bottom") {
        sides.left = [this.pad(player.left, "left")];
        sides.right = [this.pad(player.right, "right")];
      } else {
        sides[player.side] = [this.pad(player.up, "up"), this.pad(player.down, "down")];
      }
    }
    return sides;
  },

  pad(code, way) {
    let pad = this.pads.get(code);
    if (!pad) {
      pad = element("div", "pad", this.touchLayer());
      pad.dataset.key = String(code);
      pad.textContent = PAD_GLYPHS[way];
      this.pads.set(code, pad);
    }
    return pad;
  },

  // The pads' layer over the whole page; it takes no touches itself.
  touchLayer() {
    let layer = document.getElementById("touch");
    if (!layer) {
      layer = element("div", "", document.body);
      layer.id = "touch";
      layer.setAttribute("aria-hidden", "true");  // the keyboard has every key they hold
      layer.addEventListener("pointerdown", event => this.finger(event, true));
      layer.addEventListener("pointermove",
                             event => this.finger(event, this.fingers.has(event.pointerId)));
      for (const end of ["pointerup", "pointercancel"]) {
        layer.addEventListener(end, event => this.finger(event, false));
      }
      layer.addEventListener("contextmenu", event => event.preventDefault());
    }
    return layer;
  },

  // A finger down on, moved to or lifted from a pad.
  finger(event, touching) {
    const under = touching && document.elementFromPoint(event.clientX, event.clientY);
    const pad = under && under.closest ? under.closest("#touch .pad:not([hidden])") : null;
    const code = pad ? Number(pad.dataset.key) : 0;
    const held = this.fingers.get(event.pointerId) || 0;
    if (touching) {
      event.preventDefault();  // no mouse events after it, so the page's sound wakes here
      this.wakeAudio();
    }
    if (code === held) return;
    if (held) {
      this.fingers.delete(event.pointerId);
      this.touchKey(held, false);
    }
    if (code) {
      this.fingers.set(event.pointerId, code);
      this.touchKey(code, true);
    }
  },

  // The key goes down with the first finger on its pad and up with the last.
  touchKey(code, down) {
    const fingers = [...this.fingers.values()].filter(held => held === code).length;
    if (fingers !== (down ? 1 : 0)) return;
    this.pads.get(code).classList.toggle("held", down);
    this.hold(code, down);
  },
});
