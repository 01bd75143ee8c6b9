// The page script's timer and key codes under Node, on a fake clock: the
// timer wakes the game once when the game asks, with one tick, and a stop
// drops a tick still waiting; keys carry the desktop's virtual-key codes.
"use strict";
const assert = require("node:assert/strict");
const path = require("node:path");

// A fake clock under the page's timers: setTimeout runs callbacks as the
// time is advanced past their due times.
let now = 0;
let timers = [];
Object.defineProperty(globalThis, "performance", {value: {now: () => now}, configurable: true});
globalThis.setTimeout = (callback, delay) => {
  const timer = {due: now + Math.max(0, delay), callback};
  timers.push(timer);
  return timer;
};
globalThis.clearTimeout = timer => { timers = timers.filter(t => t !== timer); };
function advanceTo(time) {
  for (;;) {
    timers.sort((a, b) => a.due - b.due);
    if (!timers.length || timers[0].due > time) break;
    const timer = timers.shift();
    now = Math.max(now, timer.due);
    timer.callback();
  }
  now = time;
}
// A browser busy elsewhere runs a due timer late.
function runLate(time) {
  timers.forEach(timer => { if (timer.due < time) timer.due = time; });
  advanceTo(time);
}

const {ralloPage, virtualKey, EVENT} =
    require(path.join(__dirname, "../../src/platform/web/page/page.js"));
const ticks = () => ralloPage.queue.filter(event => event.kind === EVENT.Tick).length;
let failures = 0;
function test(name, body) {
  try {
    body();
    console.log(`ok: ${name}`);
  } catch (error) {
    ++failures;
    console.log(`FAILED: ${name}\n${error.stack}`);
  }
}

test("the timer wakes the game once, when asked, with one tick", () => {
  ralloPage.busy = true;  // the game takes nothing; the queue shows what waits
  ralloPage.armTimer(7, 16);
  advanceTo(15.9);
  assert.equal(ticks(), 0);
  advanceTo(16);
  assert.equal(ticks(), 1);
  assert.deepEqual(ralloPage.frameTimes, [16]);
  advanceTo(200);  // the game has not asked again
  assert.equal(ticks(), 1);
  assert.equal(timers.length, 0);
});

test("arming again replaces the wake-up; a stop drops the tick that waits", () => {
  ralloPage.queue = [];
  ralloPage.armTimer(7, 10);
  runLate(215);  // a browser busy elsewhere
  assert.equal(ticks(), 1);
  ralloPage.armTimer(7, 5);
  ralloPage.armTimer(7, 15);
  advanceTo(229);
  assert.equal(ticks(), 1);
  advanceTo(230);
  assert.equal(ticks(), 2);
  ralloPage.armTimer(7, 15);
  ralloPage.stopTimer(7);
  assert.equal(ticks(), 0);
  advanceTo(now + 500);
  assert.equal(ticks(), 0);
  assert.equal(timers.length, 0);
});

test("keys carry the desktop's virtual-key codes", () => {
  const cases = [
    [{key: "a", code: "KeyA"}, 65], [{key: "Z", code: "KeyZ"}, 90],
    [{key: "p", code: "KeyP"}, 80], [{key: "5", code: "Digit5"}, 53],
    [{key: "ArrowLeft", code: "ArrowLeft"}, 37], [{key: "ArrowDown", code: "ArrowDown"}, 40],
    [{key: "Pause", code: "Pause"}, 19], [{key: "Enter", code: "NumpadEnter"}, 13],
    [{key: "F1", code: "F1"}, 112], [{key: "F12", code: "F12"}, 123],
    [{key: " ", code: "Space"}, 32], [{key: "Dead", code: "Quote"}, 0],
    // A layout's letter is the key's letter, as the desktop reads it.
    [{key: "z", code: "KeyY"}, 90],
  ];
  for (const [event, code] of cases) assert.equal(virtualKey(event), code, JSON.stringify(event));
});

process.exit(failures ? 1 : 0);
