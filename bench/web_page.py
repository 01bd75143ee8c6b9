#!/usr/bin/python3
"""The page's figures in headless Chromium, printed as one JSON object:
compressed sizes (the game's, and of everything the page serves), first
paint of the court after navigation starts, on a first visit and on a later
one served by the page's service worker, and the frame clock's period over
two whole one-player games.

Usage: bench/web_page.py [PAGE_DIR] [--loads N]   (PAGE_DIR: build-web/page)
Runs with Debian's python3, which has the websocket module."""

import argparse
import gzip
import json
import os
import statistics
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.join(REPO, "tests"))
from harness.browser import Browser, wait  # noqa: E402


def compressed(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), compresslevel=9))


def first_paints(page, url, loads, by_worker):
    """Navigations to the court's first paint: each a first visit, with
    nothing of the page kept, or each served by the page's worker."""
    paints = []
    for _ in range(loads):
        if not by_worker:
            page.send("Storage.clearDataForOrigin", origin=url.rstrip("/"), storageTypes="all")
            page.send("Network.clearBrowserCache")
        page.send("Page.navigate", url=url)
        wait("the court", lambda: page.eval(
            "typeof ralloProbe === 'object' && ralloProbe.firstPaint !== null && "
            "document.readyState === 'complete'"), timeout=30)
        served = page.eval("!!navigator.serviceWorker.controller")
        if served != by_worker:
            raise RuntimeError("the page was%s served by its worker" % ("" if served else " not"))
        paints.append(page.eval("ralloProbe.firstPaint"))
        # The worker fetches what it keeps after the first paint; not during the next.
        page.eval("navigator.serviceWorker.ready.then(() => true)")
    return paints


def frame_periods(page, games):
    periods = []
    for _ in range(games):
        page.eval("ralloProbe.frameTimes = []")
        page.click("[data-name=cmdNewGame]")
        wait("the game to start", lambda: page.eval(
            "!ralloPage.objects.get(ralloPage.names.get('cmdNewGame')).visible"))
        wait("Game Over!", lambda: page.eval(
            "ralloPage.objects.get(ralloPage.names.get('Label2')).visible"), timeout=90, step=0.2)
        times = page.eval("ralloProbe.frameTimes")
        # A serve pause holds the frame and takes one tick a sleep: left out.
        periods += [b - a for a, b in zip(times, times[1:]) if b - a < 3 * 15.625]
    return periods


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("page_dir", nargs="?", default=os.path.join(REPO, "build-web", "page"))
    parser.add_argument("--loads", type=int, default=5)
    args = parser.parse_args()
    figures = {"wasm_gz": compressed(os.path.join(args.page_dir, "rallo2.wasm")),
               "js_gz": compressed(os.path.join(args.page_dir, "rallo2.js")),
               "page_js_gz": sum(compressed(os.path.join(args.page_dir, name))
                                 for name in os.listdir(args.page_dir) if name.endswith(".js")
                                 and name not in ("rallo2.js", "sw.js")),
               "served_gz": sum(compressed(os.path.join(args.page_dir, name))
                                for name in os.listdir(args.page_dir))}
    with Browser(args.page_dir) as browser:
        page = browser.page
        wait("the play window", page.game_ready, timeout=30)
        paints = first_paints(page, browser.url, args.loads, by_worker=False)
        figures["first_paint_ms"] = statistics.median(paints)
        figures["first_paint_runs"] = paints
        wait("the worker", lambda: page.eval("!!navigator.serviceWorker.controller"),
             timeout=30)
        paints = first_paints(page, browser.url, args.loads, by_worker=True)
        figures["first_paint_worker_ms"] = statistics.median(paints)
        figures["first_paint_worker_runs"] = paints
        wait("the play window", page.game_ready, timeout=30)
        time.sleep(0.5)
        periods = sorted(frame_periods(page, 2))
    figures["ticks"] = len(periods) + 2
    figures["period_mean_ms"] = statistics.mean(periods)
    figures["period_median_ms"] = statistics.median(periods)
    figures["period_p99_ms"] = periods[int(0.99 * (len(periods) - 1))]
    figures["period_p1_ms"] = periods[int(0.01 * (len(periods) - 1))]
    deviations = sorted(abs(p - 15.625) for p in periods)
    figures["deviation_p50_ms"] = deviations[len(deviations) // 2]
    figures["deviation_p99_ms"] = deviations[int(0.99 * (len(deviations) - 1))]
    json.dump(figures, sys.stdout)
    print()


if __name__ == "__main__":
    main()
