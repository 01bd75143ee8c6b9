// Who plays which paddle in the game on show, and the keys that move it: the
// touch pads and the gamepads hold keys down through here, with the same
// virtual-key codes as the keyboard, so the game cannot tell them apart.
"use strict";

Object.assign(ralloPage, {
  // The game's mode as its Options menu shows it: "one", "computer" or
  // "two"; null while the play window is not on show.
  playMode() {
    const play = this.objects.get(this.names.get("frmRallo"));
    if (!play || !play.visible) return null;
    const checked = name => {
      const item = this.objects.get(this.names.get(name));
      return !!item && item.checked;
    };
    if (checked("mnuOptionsTwoPlayerPeople")) return "two";
    if (checked("mnuOptionsTwoPlayerComputer")) return "computer";
    return "one";
  },

  // The paddles people play, the first player's first, each with the key of
  // each way it moves and the side of the court it is on.
  players(mode = this.playMode()) {
    const keys = this.keys;
    const right = {side: "right", up: keys.Up, down: keys.Down};
    switch (mode) {
      case "one": return [{side: "bottom", left: keys.Left, right: keys.Right}];
      case "computer": return [right];
      case "two": return [right, {side: "left", up: keys.A, down: keys.Z}];
      default: return [];
    }
  },

  // A key held down or let go by something other than the keyboard; it goes
  // where a key would, and like a key is not taken while a box is open.
  hold(code, down) {
    const win = this.active;
    if (this.ended || this.modal || !win || !win.visible) return;
    this.post({kind: down ? EVENT.KeyDown : EVENT.KeyUp, a: win.id, b: code});
  },
});
