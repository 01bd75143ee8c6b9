"""The one table bench/run prints: each section's rows from the figures
measured, with their targets and verdicts."""

import os
import platform
import subprocess

from beeps import BEEP_SEARCH_NS
from logs import percentile

TARGET_RATE = 64.0
KEY_TO_SCREEN_MS = 17.6  # one frame period and the paint


def frame_rows(table, m, notes):
    """The real window's frame clock."""
    table.section("Frame clock, real window under Xvfb, 10 s of play")
    if m.clock:
        low, high = TARGET_RATE * 0.995, TARGET_RATE * 1.005
        table.row("mean frame rate", "%.3f /s" % m.clock["rate"], target="64.0 /s +-0.5 %",
                  verdict=low <= m.clock["rate"] <= high)
        table.row("|period - 15.625 ms| p50", "%.3f ms" % m.clock["p50"])
        table.row("|period - 15.625 ms| p99", "%.3f ms" % m.clock["p99"], target="< 2 ms",
                  verdict=m.clock["p99"] < 2.0)
        table.row("largest gap", "%.3f ms" % m.clock["largest"])
        table.row("shortest period", "%.3f ms" % m.clock["shortest"])
        table.row("back-to-back frames (period < 1 ms)", "%d" % m.clock["bursts"],
                  target="0, no burst", verdict=m.clock["bursts"] == 0)
        table.row("frames / periods timed / serve pauses left out",
                  "%d / %d / %d" % (m.clock["frames"], m.clock["periods"], m.clock["pauses"]))
    else:
        table.row("frame clock", "n/a", target="needs RALLO2_FRAME_LOG")


def key_rows(table, m, notes):
    """Real key presses to the screen."""
    table.section("Key to screen: real X key presses (xdotool), key event in the game to the"
                  " flushed paint that moved the paddle")
    if m.keys:
        table.row("key to screen p50", "%.2f ms" % m.keys["p50"])
        table.row("key to screen p99", "%.2f ms" % m.keys["p99"],
                  target="< %.1f ms" % KEY_TO_SCREEN_MS, verdict=m.keys["p99"] < KEY_TO_SCREEN_MS)
        table.row("largest", "%.2f ms" % m.keys["largest"])
        table.row("presses timed / in a serve pause / never shown",
                  "%d / %d / %d" % (m.keys["counted"], m.keys["paused"], m.keys["lost"]),
                  verdict=None if m.keys["counted"] >= m.presses else False)
        notes.append("a key event reached the game %.1f ms (median) after xdotool was started"
                     % m.keys["sent"])
    else:
        table.row("key to screen", "n/a", target="needs RALLO2_INPUT_LOG")


def cpu_rows(table, m, notes):
    """CPU use and wake-ups, the bare window beside."""
    table.section("CPU, user+system per wall second (floor: bare Qt window)")
    table.row("idle, 5 s", fmt(m.idle.cpu and m.idle.cpu * 100, "%.2f %%"),
              fmt(m.bare_idle.cpu and m.bare_idle.cpu * 100, "%.2f %%"))
    table.row("serve wait", fmt(m.serve.cpu and m.serve.cpu * 100, "%.2f %%"), target="< 1 %",
              verdict=None if m.serve.cpu is None else m.serve.cpu < 0.01)
    table.row("10 s of play", fmt(m.play.cpu and m.play.cpu * 100, "%.2f %%"), target="< 3 %",
              verdict=None if m.play.cpu is None else m.play.cpu < 0.03)
    table.row("wake-ups while idle", "%.1f /s" % m.idle.wakeups,
              "%.1f /s" % m.bare_idle.wakeups, target="0 /s", verdict=m.idle.wakeups == 0)
    if m.idle.by_thread:
        notes.append("idle wake-ups by thread (5 s): %s" % ", ".join(
            "%s %d" % item for item in sorted(m.idle.by_thread.items())))


def start_rows(table, m, notes):
    """Start-up and memory beside the floors."""
    table.section("Start-up and memory, median of %d starts each; floors: bare Qt window,"
                  " same widgets window" % m.runs)

    def ratio(a, b):
        return None if a is None or b is None else a / b

    def against_same(label, start, hwm, target=None):
        r = ratio(start, m.same_start)
        table.row("%s: start to first paint" % label, fmt(start, "%.1f ms"),
                  fmt(m.same_start, "%.1f ms"), fmt(r, "%.3fx"),
                  "<= %.2fx same widgets" % target if target else "same widgets",
                  None if r is None or not target else r <= target)
        r = ratio(hwm, m.same_hwm)
        table.row("%s: peak RSS 1 s after start" % label, fmt(hwm and hwm / 1024, "%.1f MiB"),
                  fmt(m.same_hwm and m.same_hwm / 1024, "%.1f MiB"), fmt(r, "%.3fx"),
                  "<= %.2fx same widgets" % target if target else "same widgets",
                  None if r is None or not target else r <= target)

    r = ratio(m.game_start, m.bare_start)
    table.row("process start to first paint", fmt(m.game_start, "%.1f ms"),
              fmt(m.bare_start, "%.1f ms"), fmt(r, "%.3fx"), "<= 1.3x bare",
              None if r is None else r <= 1.3)
    r = ratio(m.game_hwm, m.bare_hwm)
    table.row("peak RSS (VmHWM) 1 s after start",
              fmt(m.game_hwm and m.game_hwm / 1024, "%.1f MiB"),
              fmt(m.bare_hwm and m.bare_hwm / 1024, "%.1f MiB"), fmt(r, "%.3fx"), "<= 1.2x bare",
              None if r is None else r <= 1.2)
    r = ratio(m.session_hwm, m.bare_hwm)
    table.row("peak RSS after the play above", fmt(m.session_hwm and m.session_hwm / 1024,
                                                   "%.1f MiB"),
              fmt(m.bare_hwm and m.bare_hwm / 1024, "%.1f MiB"), fmt(r, "%.3fx"), "<= 1.2x bare",
              None if r is None else r <= 1.2)
    against_same("rallo2", m.game_start, m.game_hwm, 1.05)
    for label in m.variants:
        against_same(label, *m.starts[label])


def beep_rows(table, m, notes):
    """Beep calls to sound."""
    table.section("Beeps, against the computer at Fast, on a PulseAudio null sink")
    if m.bell and m.bell["latencies"]:
        lat = m.bell["latencies"]
        p99 = percentile(lat, 0.99)
        table.row("beep call to first sound p50", "%.2f ms" % percentile(lat, 0.50))
        table.row("beep call to first sound p99", "%.2f ms" % p99, target="< 30 ms",
                  verdict=p99 < 30 and len(lat) >= 20)
        table.row("beeps timed / called / hidden by the sound before",
                  "%d / %d / %d" % (len(lat), m.bell["beeps"], m.bell["hidden"]),
                  target=">= 20 timed", verdict=len(lat) >= 20)
        first_call, *later = m.bell["blocking_in_order"]
        later.sort()
        table.row("time the first beep call holds its frame (loads the sound)",
                  "%.2f ms" % first_call, target="< 8 ms", verdict=first_call < 8)
        if later:
            table.row("time a later beep call holds its frame p50 / max",
                      "%.2f / %.2f ms" % (percentile(later, 0.50), later[-1]),
                      target="max < 5 ms", verdict=later[-1] < 5)
        before, after = m.bell["rss"]
        table.row("VmRSS before Play -> after the beeps", "%.1f -> %.1f MiB"
                  % (before / 1024, after / 1024))
        if m.bell["silent"]:
            notes.append("%d beep calls had no sound within %d ms"
                         % (m.bell["silent"], BEEP_SEARCH_NS // 1_000_000))
        notes.append("beep latency: from the game's logged beep call to parec handing over"
                     " the recording chunk that holds the first non-silent sample, an upper"
                     " bound (chunks every %.2f ms, median)" % m.bell["chunk_gap_p50"])
    else:
        table.row("beep call to first sound", "n/a", target="needs pulseaudio, parec")


def rules_rows(table, m, notes):
    """The rules alone."""
    table.section("Rules alone, headless, Google Benchmark (median of 3)")
    for name, label in (("BM_OnePlayerFrame", "one frame, one player"),
                        ("BM_TwoPeopleFrame", "one frame, two people"),
                        ("BM_ComputerFrame", "one frame, against the computer")):
        ns = m.rules.get(name)
        table.row(label, fmt(ns, "%.1f ns"), target="< 100 ns",
                  verdict=None if ns is None else ns < 100)


def page_rows(table, m, notes):
    """The page in the browser."""
    table.section("The page in headless Chromium (bench/web_page.py)")
    if m.web:
        size = (m.web["wasm_gz"] + m.web["js_gz"]) / 1024
        table.row(".wasm + .js, gzip -9", "%.1f KB" % size, target="< 80 KB",
                  verdict=size < 80)
        table.row("the page's own scripts, gzip -9", "%.1f KB" % (m.web["page_js_gz"] / 1024))
        table.row("navigation to first paint, median of 5", "%.1f ms" % m.web["first_paint_ms"],
                  target="< 200 ms", verdict=m.web["first_paint_ms"] < 200)
        table.row("frame period mean / median", "%.3f / %.3f ms" % (
            m.web["period_mean_ms"], m.web["period_median_ms"]), target="15.625 ms")
        table.row("period p1 / p99 (%d ticks)" % m.web["ticks"], "%.3f / %.3f ms" % (
            m.web["period_p1_ms"], m.web["period_p99_ms"]), target="p99 within 2 ms of 15.625",
            verdict=abs(m.web["period_p99_ms"] - 15.625) <= 2)
        table.row("|period - 15.625 ms| p50 / p99", "%.3f / %.3f ms" % (
            m.web["deviation_p50_ms"], m.web["deviation_p99_ms"]),
            target="(the desktop's measure)")
    else:
        table.row("the page", "n/a", target="needs scripts/build-m.web")


SECTIONS = (frame_rows, key_rows, cpu_rows, start_rows, beep_rows, rules_rows, page_rows)


def print_report(host, m, notes):
    """The table of the figures in `m` (a namespace), then the notes."""
    table = Table()
    for section in SECTIONS:
        section(table, m, notes)
    print("Rallo2 measured on: %s" % host)
    table.print()
    for note in notes:
        print("note: %s" % note)


class Table:
    def __init__(self):
        self.rows = []

    def section(self, title):
        self.rows.append((title,))

    def row(self, what, game, bare="", ratio="", target="", verdict=None):
        mark = "" if verdict is None else ("met" if verdict else "MISSED")
        self.rows.append((what, game, bare, ratio, target, mark))

    def print(self):
        head = ("measure", "rallo2", "floor", "ratio", "target", "")
        widths = [max(len(str(r[i])) for r in self.rows + [head] if len(r) > 1)
                  for i in range(6)]
        line = "  ".join("%-*s" % (w, h) for w, h in zip(widths, head))
        print(line.rstrip())
        print("-" * len(line))
        for r in self.rows:
            if len(r) == 1:
                print(r[0])
            else:
                print("  ".join("%-*s" % (w, c) for w, c in zip(widths, r)).rstrip())


def fmt(value, pattern, missing="n/a"):
    return missing if value is None else pattern % value


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"],
                        capture_output=True, text=True).stdout.strip() or "?"
    load = os.getloadavg()
    return ("%s, %d cores, Linux %s, Qt %s, load %.2f %.2f %.2f at start"
            % (model, os.cpu_count(), platform.release(), qt, *load))
