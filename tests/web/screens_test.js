// The page's fitting and gamepads under Node: where a window and its touch
// pads go on any viewport, and which keys a gamepad's presses hold down.
"use strict";
const assert = require("node:assert/strict");
const path = require("node:path");
const {test} = require("node:test");

const page = path.join(__dirname, "../../src/platform/web/page");
const core = require(path.join(page, "page.js"));
Object.assign(globalThis, {ralloPage: core.ralloPage, EVENT: core.EVENT});
const {arrangement, placeIn} = require(path.join(page, "fit.js"));
require(path.join(page, "paddles.js"));
require(path.join(page, "gamepad.js"));
const ralloPage = core.ralloPage;

// The game's key names and codes, as the game hands them to the page.
ralloPage.keys = {Left: 37, Up: 38, Right: 39, Down: 40, A: 65, S: 83, Z: 90, P: 80, Pause: 19};

const PLAY = {width: 584, height: 561};  // the play window of the one-player game
const inside = (inner, outer) =>
  inner.left >= outer.left - 1e-9 && inner.top >= outer.top - 1e-9 &&
  inner.left + inner.width <= outer.left + outer.width + 1e-9 &&
  inner.top + inner.height <= outer.top + outer.height + 1e-9;
const apart = (a, b) => a.left + a.width <= b.left || b.left + b.width <= a.left ||
                        a.top + a.height <= b.top || b.top + b.height <= a.top;

test("the window and its pads share any viewport without overlapping", () => {
  const modes = {one: {left: [1], right: [1]}, computer: {right: [1, 2]},
                 two: {left: [1, 2], right: [1, 2]}};
  for (const [width, height] of [[390, 844], [844, 390], [1024, 768], [768, 1024],
                                 [1280, 800], [320, 480]]) {
    const view = {left: 0, top: 0, width, height};
    for (const [mode, sides] of Object.entries(modes)) {
      const what = `${mode} at ${width}x${height}`;
      const {scale, room, pads} = arrangement(view, PLAY, sides);
      assert.ok(scale > 0 && scale <= 1, what);
      assert.ok(PLAY.width * scale <= room.width + 1e-9, what);
      assert.ok(PLAY.height * scale <= room.height + 1e-9, what);
      assert.ok(inside(room, view), what);
      assert.deepEqual(Object.keys(pads).sort(), Object.keys(sides).sort(), what);
      for (const pad of Object.values(pads)) {
        assert.ok(inside(pad, view) && apart(pad, room), what);
        assert.ok(Math.min(pad.width, pad.height) >= 72, `${what}: a thumb's pad`);
      }
    }
  }
});

test("a phone shows the pads below upright and beside turned; a window alone fills", () => {
  const sides = {left: [1], right: [1]};
  const upright = arrangement({width: 390, height: 844}, PLAY, sides);
  assert.equal(upright.scale, 390 / 584);
  assert.equal(upright.pads.left.top, upright.room.height);
  const turned = arrangement({width: 844, height: 390}, PLAY, sides);
  assert.equal(turned.scale, 390 / 561);
  assert.equal(turned.pads.left.left, 0);
  assert.equal(turned.room.left, turned.pads.left.width);
  assert.equal(arrangement({width: 1280, height: 800}, PLAY, null).scale, 1);
  assert.deepEqual(arrangement({width: 500, height: 400}, PLAY, null).room,
                   {left: 0, top: 0, width: 500, height: 400});
});

test("a window keeps its offset from the centre, but never leaves its room", () => {
  assert.equal(placeIn(0, 1000, 600, 0), 200);
  assert.equal(placeIn(0, 1000, 600, -50), 150);
  assert.equal(placeIn(100, 1000, 600, 900), 500);
  assert.equal(placeIn(100, 1000, 600, -900), 100);
  assert.equal(placeIn(0, 300, 600, 0), 0);  // too large: its start stays on screen
});

// Gamepads: a fake Gamepad API, the game idle, and the keys it is sent.
let pads = [];
let mode = "one";
Object.assign(globalThis, {
  navigator: {getGamepads: () => pads},
  requestAnimationFrame: () => 0,
  HTMLButtonElement: class {},
});
ralloPage.playMode = () => mode;
ralloPage.busy = true;
ralloPage.active = {id: 1, visible: true};
function pad(pressed = [], axes = [0, 0]) {
  const buttons = Array.from({length: 17}, (_, i) => ({pressed: pressed.includes(i)}));
  return {connected: true, mapping: "standard", buttons, axes};
}
function keysSent(...states) {
  ralloPage.queue = [];
  for (const state of states) {
    pads = state;
    ralloPage.readPads();
  }
  return ralloPage.queue.map(e => `${e.kind === EVENT.KeyDown ? "down" : "up"} ${e.b}`);
}

test("the first pad steers the player's paddle; a second, the left paddle for two", () => {
  assert.deepEqual(keysSent([pad([15])], [pad([15])], [pad()]), ["down 39", "up 39"]);
  assert.deepEqual(keysSent([pad([], [-0.9, 0])], [pad([], [-0.3, 0])]), ["down 37", "up 37"],
                   "the left stick steers too, and a stick's drift does not");
  mode = "computer";
  assert.deepEqual(keysSent([pad([12]), pad([13])], [pad(), pad()]), ["down 38", "up 38"],
                   "against the computer only the right paddle is played");
  mode = "two";
  assert.deepEqual(keysSent([pad([], [0, 1]), pad([12])], []),
                   ["down 40", "down 65", "up 40", "up 65"], "a pad gone lets its keys go");
  assert.equal(ralloPage.reading, false, "no pads, no reading");
});

test("Start is the pause key and the south button presses the focused button", () => {
  mode = "one";
  assert.deepEqual(keysSent([pad([9])], [pad([9])], [pad()]), ["down 80", "up 80"]);
  let clicks = 0;
  const play = Object.assign(new HTMLButtonElement(), {click: () => ++clicks});
  globalThis.document = {activeElement: play};
  keysSent([pad([0])], [pad([0])], [pad()], [pad([0])]);
  assert.equal(clicks, 2, "one press per push of the button");
  ralloPage.modal = Object.assign(new HTMLButtonElement(), {click: () => { clicks += 10; }});
  assert.deepEqual(keysSent([pad()], [pad([0, 15])]), [], "a box takes no keys");
  assert.equal(clicks, 12, "the box's OK is pressed");
});
