// Gamepads with the standard mapping. The first pad plays the paddle the
// player has (Left/Right in the one-player game, the right paddle's Up/Down
// in the two-player games), a second pad the left paddle of the game for two
// people; the d-pad and the left stick both steer. Start is the pause key
// and the south button presses the focused button. A press is the key down,
// its release the key up. Pads are read once a display frame while any is
// connected: the browser tells of a pad only by its state.
"use strict";

const PAD_BUTTON = {south: 0, start: 9, up: 12, down: 13, left: 14, right: 15};
const STICK_TILT = 0.5;  // of full tilt: less is a resting stick's drift

Object.assign(ralloPage, {
  padStates: [],   // per pad in order: its held keys (what -> key code), south
  reading: false,

  // Starts reading when a pad appears; stops when none is left.
  readPads() {
    const pads = navigator.getGamepads ? [...navigator.getGamepads()].filter(
        pad => pad && pad.connected && pad.mapping === "standard") : [];
    const players = this.players();
    pads.forEach((pad, index) => this.readPad(index, pad, players[index]));
    for (let index = pads.length; index < this.padStates.length; ++index) {
      this.readPad(index, null, null);  // gone: what it held is let go
    }
    this.padStates.length = pads.length;
    this.reading = pads.length > 0;
    if (this.reading) requestAnimationFrame(() => this.readPads());
  },

  readPad(index, pad, player) {
    const pressed = button => !!pad && !!pad.buttons[button] && pad.buttons[button].pressed;
    const stick = (axis, sign) => !!pad && sign * (pad.axes[axis] || 0) > STICK_TILT;
    const wanted = new Map();
    const want = (what, code, on) => { if (on && code) wanted.set(what, code); };
    if (player) {
      want("up", player.up, pressed(PAD_BUTTON.up) || stick(1, -1));
      want("down", player.down, pressed(PAD_BUTTON.down) || stick(1, 1));
      want("left", player.left, pressed(PAD_BUTTON.left) || stick(0, -1));
      want("right", player.right, pressed(PAD_BUTTON.right) || stick(0, 1));
    }
    want("start", this.keys.P, pressed(PAD_BUTTON.start));
    const was = this.padStates[index] || {held: new Map(), south: false};
    for (const [what, code] of was.held) {
      if (wanted.get(what) !== code) this.hold(code, false);
    }
    for (const [what, code] of wanted) {
      if (was.held.get(what) !== code) this.hold(code, true);
    }
    const south = pressed(PAD_BUTTON.south);
    if (south && !was.south) this.pressFocused();
    this.padStates[index] = {held: wanted, south};
  },

  // The south button is Enter on the focused button: Play, Exit, OK, Go.
  pressFocused() {
    const focused = this.modal || document.activeElement;
    if (focused instanceof HTMLButtonElement && !focused.disabled) focused.click();
  },
});

if (typeof document !== "undefined") {
  window.addEventListener("gamepadconnected", () => {
    if (!ralloPage.reading) ralloPage.readPads();
  });
}
