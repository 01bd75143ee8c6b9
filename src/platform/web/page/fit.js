// Fitting the page to its viewport: every window on show, its touch pads and
// any message box are on screen whole, scaled down when the viewport is too
// small, and fitted again whenever the viewport changes or the device turns.
//
// The game centres its windows on the screen the page reports, which is the
// viewport. The page keeps a window's offset from the centre of the screen
// it was placed on, scaled, inside the room the pads leave: a centred window
// stays centred through every resize and turn, which the game is not told
// of (its rules place a window only when they arrange it).
"use strict";

const PAD_LEAST = 72;    // px: a pad's least thickness, roomy for a thumb
const PAD_MOST = 200;    // px: a thicker pad would only take room from the court
const LEAST_SCALE = 0.05;

// Where a window of `size` goes in `view`, beside or below the pads of
// `sides` (each side's pads stacked): whichever shows it larger, at most at
// its own size. Gives the scale, the window's room and each side's pad room.
function arrangement(view, size, sides) {
  const fit = (width, height) =>
    Math.max(LEAST_SCALE, Math.min(1, width / size.width, height / size.height));
  const whole = {left: 0, top: 0, width: view.width, height: view.height};
  if (!sides) return {scale: fit(view.width, view.height), room: whole, pads: {}};
  const columns = ["left", "right"].filter(side => sides[side]);
  const rows = Math.max(...columns.map(side => sides[side].length));
  const beside = fit(view.width - columns.length * PAD_LEAST, view.height);
  const below = fit(view.width, view.height - rows * PAD_LEAST);
  const pads = {};
  if (beside > below || (beside === below && view.width >= view.height)) {
    const width = Math.min(PAD_MOST, (view.width - size.width * beside) / columns.length);
    if (sides.left) pads.left = {left: 0, top: 0, width, height: view.height};
    if (sides.right) pads.right = {left: view.width - width, top: 0, width, height: view.height};
    const left = sides.left ? width : 0;
    const room = {left, top: 0, width: view.width - columns.length * width, height: view.height};
    return {scale: beside, room, pads};
  }
  const height = Math.min(rows * PAD_MOST, view.height - size.height * below);
  const top = view.height - height;
  if (sides.left) pads.left = {left: 0, top, width: view.width / 2, height};
  if (sides.right) pads.right = {left: view.width / 2, top, width: view.width / 2, height};
  return {scale: below, room: {left: 0, top: 0, width: view.width, height: top}, pads};
}

// The place in `room` of a box `length` long whose centre was `offset` from
// the centre of the screen it was placed on; never outside the room.
function placeIn(roomStart, roomLength, length, offset) {
  const centred = roomStart + (roomLength - length) / 2 + offset;
  return Math.min(Math.max(centred, roomStart), roomStart + Math.max(0, roomLength - length));
}

Object.assign(ralloPage, {
  reported: {width: 0, height: 0},  // the screen the game was last told of

  viewSize() {
    return {width: document.documentElement.clientWidth || window.innerWidth,
            height: document.documentElement.clientHeight || window.innerHeight};
  },
  viewportWidth() { return (this.reported.width = this.viewSize().width); },
  viewportHeight() { return (this.reported.height = this.viewSize().height); },

  // The game's place for a window, with the screen it was placed on.
  place(win, left, top, width, height) {
    const old = win.place;
    if (old && old.left === left && old.top === top && old.width === width &&
        old.height === height) return;
    win.place = {left, top, width, height, screen: {...this.reported}};
  },

  arrange() {
    const view = this.viewSize();
    const ratio = window.devicePixelRatio || 1;
    const sides = this.padSides();
    const play = this.objects.get(this.names.get("frmRallo"));
    for (const win of this.objects.values()) {
      if (win.kind !== "window" || !win.visible) continue;
      const size = {width: win.root.offsetWidth, height: win.root.offsetHeight};
      const plan = arrangement(view, size, win === play ? sides : null);
      this.showWindow(win, size, plan, ratio);
      if (win === play) this.showPads(sides, plan.pads);
    }
    if (!sides) this.showPads(null, {});
    for (const box of document.querySelectorAll(".msgbox")) {
      const scale = arrangement(view, {width: box.offsetWidth, height: box.offsetHeight}).scale;
      box.style.transform = scale < 1 ? `scale(${scale})` : "";
    }
  },

  showWindow(win, size, plan, ratio) {
    const room = plan.room;
    // A device pixel to spare, for moving the court onto whole device pixels.
    const scale = Math.min(plan.scale, (room.width - 1 / ratio) / size.width,
                           (room.height - 1 / ratio) / size.height);
    const place = win.place || {left: 0, top: 0, width: 0, height: 0, screen: {}};
    const offset = (start, length, screen) =>
      screen ? (start + length / 2 - screen / 2) * scale : 0;
    let x = placeIn(room.left, room.width, size.width * scale,
                    offset(place.left, place.width, place.screen.width));
    let y = placeIn(room.top, room.height, size.height * scale,
                    offset(place.top, place.height, place.screen.height));
    // The court's canvas starts on a device pixel, so that it shows one to one.
    const courtX = win.root.clientLeft + win.client.offsetLeft;
    const courtY = win.root.clientTop + win.client.offsetTop;
    x = Math.round((x + courtX * scale) * ratio) / ratio - courtX * scale;
    y = Math.round((y + courtY * scale) * ratio) / ratio - courtY * scale;
    win.root.style.transform = `translate(${x}px, ${y}px) scale(${scale})`;
    win.root.style.setProperty("--fit-scale", String(scale));
    if (scale !== win.scale || ratio !== win.deviceRatio) {
      win.scale = scale;
      win.deviceRatio = ratio;
      this.sizeCanvas(win);
    }
  },

  // Each side's pads share its room, stacked; pads the game does not need hide.
  showPads(sides, rooms) {
    document.body.classList.toggle("touching", !!sides);
    const shown = new Set();
    for (const side of ["left", "right"]) {
      const pads = (sides && sides[side]) || [];
      const room = rooms[side];
      pads.forEach((pad, index) => {
        shown.add(pad);
        Object.assign(pad.style, {left: `${room.left}px`, width: `${room.width}px`,
                                  top: `${room.top + index * room.height / pads.length}px`,
                                  height: `${room.height / pads.length}px`});
      });
    }
    for (const pad of this.pads.values()) pad.hidden = !shown.has(pad);
  },
});

if (typeof document === "undefined") {
  module.exports = {arrangement, placeIn};
} else {
  window.addEventListener("resize", () => ralloPage.arrange());
  matchMedia("(any-pointer: coarse)").addEventListener("change", () => ralloPage.arrange());
  // A window moved to a screen of another pixel density changes no size.
  const watchDensity = () => matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
    .addEventListener("change", () => { ralloPage.arrange(); watchDensity(); }, {once: true});
  watchDensity();
}
