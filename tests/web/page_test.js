// The page script's frame clock and key codes under Node, on a fake clock:
// the same schedule as the desktop's (ticks on 1/64 s boundaries, a missed
// boundary not made up, at most one tick waiting for the game, a stop that
// drops it) and the same virtual-key codes.
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

const {ralloPage, virtualKey, EVENT, FRAME_MS} =
    require(path.join(__dirname, "../../src/platform/web/page/page.js"));
const ticks = () => ralloPage.queue.filter(event => event.kind === EVENT.Tick).length;
const tickTimes = [];
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

test("the clock ticks on 1/64 s boundaries and never before one", () => {
  ralloPage.busy = true;  // the game takes nothing; the queue shows what waits
  ralloPage.timer(7, true);
  advanceTo(15.6);
  assert.equal(ticks(), 0);
  advanceTo(16.0);
  assert.equal(ticks(), 1);
  assert.ok(ralloPage.frameTimes[0] >= FRAME_MS);
});

test("at most one tick waits for a busy game", () => {
  advanceTo(200);
  assert.equal(ticks(), 1);
  assert.ok(ralloPage.frameTimes.length >= 12, `${ralloPage.frameTimes.length} ticks fell due`);
});

test("a late wake-up is not made up: the next tick is on the next boundary", () => {
  ralloPage.queue = [];
  const before = ralloPage.frameTimes.length;
  const start = ralloPage.objects.get(7).start;
  runLate(start + 20 * FRAME_MS + 9);  // about half a frame late for tick 20
  assert.equal(ralloPage.frameTimes.length, before + 1, "one tick, no burst");
  const next = ralloPage.objects.get(7).next;
  assert.equal(next, 21);
  advanceTo(start + 21 * FRAME_MS + 1);
  assert.equal(ralloPage.frameTimes.length, before + 2);
  tickTimes.push(...ralloPage.frameTimes.slice(before));
  assert.ok(tickTimes[1] - tickTimes[0] < FRAME_MS, "the schedule, not the wake-up, rules");
});

test("stopping drops the tick that waits, and nothing falls due after", () => {
  assert.equal(ticks(), 1);
  ralloPage.timer(7, false);
  assert.equal(ticks(), 0);
  const count = ralloPage.frameTimes.length;
  advanceTo(now + 500);
  assert.equal(ralloPage.frameTimes.length, count);
  assert.equal(timers.length, 0);
});

test("a restart starts a new schedule from the moment of the start", () => {
  advanceTo(1000.3);
  ralloPage.timer(7, true);
  advanceTo(1000.3 + FRAME_MS - 0.1);
  assert.equal(ticks(), 0);
  advanceTo(1000.3 + FRAME_MS + 1);
  assert.equal(ticks(), 1);
  ralloPage.timer(7, false);
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
