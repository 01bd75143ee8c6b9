#!/usr/bin/python3
"""The page's figures in headless Chromium, printed as one JSON object:
compressed sizes, first paint of the court after navigation starts, and the
frame clock's period over two whole one-player games.

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


def first_paints(page, url, loads):
    paints = []
    for _ in range(loads):
        page.send("Page.navigate", url=url)
        wait("the court", lambda: page.eval(
            "typeof ralloPage === 'object' && ralloPage.firstPaint !== null && "
            "document.readyState === 'complete'"), timeout=30)
        paints.append(page.eval("ralloPage.firstPaint"))
    return paints


def frame_periods(page, games):
    periods = []
    for _ in range(games):
        page.eval("ralloPage.frameTimes = []")
        page.click("[data-name=cmdNewGame]")
        wait("the game to start", lambda: page.eval(
            "!ralloPage.objects.get(ralloPage.names.get('cmdNewGame')).visible"))
        wait("Game Over!", lambda: page.eval(
            "ralloPage.objects.get(ralloPage.names.get('Label2')).visible"), timeout=90, step=0.2)
        times = page.eval("ralloPage.frameTimes")
        periods += [b - a for a, b in zip(times, times[1:])]
    return periods


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("page_dir", nargs="?", default=os.path.join(REPO, "build-web", "page"))
    parser.add_argument("--loads", type=int, default=5)
    args = parser.parse_args()
    figures = {"wasm_gz": compressed(os.path.join(args.page_dir, "rallo2.wasm")),
               "js_gz": compressed(os.path.join(args.page_dir, "rallo2.js")),
               "page_js_gz": sum(compressed(os.path.join(args.page_dir, name))
                                 for name in ("page.js", "windows.js", "menus.js"))}
    with Browser(args.page_dir) as browser:
        page = browser.page
        wait("the play window", page.game_ready, timeout=30)
        paints = first_paints(page, browser.url, args.loads)
        figures["first_paint_ms"] = statistics.median(paints)
        figures["first_paint_runs"] = paints
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
