// Playing offline: once the page has been visited, its service worker
// (sw.js) keeps the built files and serves them without a network. It is
// registered after the page has loaded, so that it takes nothing from the
// first visit's start.
"use strict";

if ("serviceWorker" in navigator) {
  window.addEventListener("load", () => {
    navigator.serviceWorker.register("sw.js").catch(error => {
      console.warn("Rallo2 cannot keep its files for playing offline:", error.message);
    });
  });
}
