// The marks for measuring the page from outside, kept only when its address
// asks for them (?probe): when each tick was offered to the game, the
// court's first paint, and the beeps. The probe wraps the page's own
// functions and listens for its events, so the page's paths carry nothing of it.
"use strict";

const ralloProbe = {
  frameTimes: [],  // when each tick was offered, for the frame-rate figures
  firstPaint: null,
  beeps: 0,

  install(page, tickKind) {
    const probe = this;
    const {post, beep} = page;
    page.post = function(event) {
      if (event.kind === tickKind && probe.frameTimes.length < 100000) {
        probe.frameTimes.push(performance.now());
      }
      return post.call(this, event);
    };
    page.beep = function() {
      ++probe.beeps;
      return beep.call(this);
    };
  },
};

if (typeof document === "undefined") {
  module.exports = {ralloProbe};
} else if (new URLSearchParams(location.search).has("probe")) {
  ralloProbe.install(ralloPage, EVENT.Tick);
  document.addEventListener("courtpainted", () => { ralloProbe.firstPaint = performance.now(); },
                            {once: true});
}
