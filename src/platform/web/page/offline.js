// Playing offline: once the page has been visited, its service worker
// (sw.js) keeps the built files and serves them without a network. It is
// registered once the court is first painted: fetching the files to keep
// would otherwise slow the first visit's start.
"use strict";

if ("serviceWorker" in navigator) {
  document.addEventListener("courtpainted", () => {
    navigator.serviceWorker.register("sw.js").catch(error => {
      console.warn("Rallo2 cannot keep its files for playing offline:", error.message);
    });
  }, {once: true});
}
