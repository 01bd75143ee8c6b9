"""The real window's frame clock, from the game's frame log."""

import statistics

from logs import percentile

PERIOD_NS = 15_625_000
# A frame that took this long held the game for a serve pause.
HELD_NS = 100_000_000


def frame_clock(ticks, start, end):
    """Periods between frames that ran, over [start, end]. A frame that held
    the game still (the serve pause inside a frame, where the program sleeps
    by design and drops the ticks due meanwhile) is not the clock's doing:
    the period that follows it is left out. Without frame end times in the
    log, a period over a second is taken for such a pause."""
    ticks = [t for t in ticks if start <= t[0] <= end]
    timed = all(done is not None for _, done, _ in ticks)
    periods, pauses = [], 0
    previous, dropped = None, False
    for tick, done, ran in ticks:
        if not ran:
            dropped = True
            continue
        if previous is not None:
            p_tick, p_done = previous
            if timed:
                waited = dropped or p_done - p_tick > HELD_NS
            else:
                waited = tick - p_tick > 1_000_000_000
            if waited:
                pauses += 1
            else:
                periods.append(tick - p_tick)
        previous, dropped = (tick, done), False
    if not periods:
        return None
    deviations = sorted(abs(p - PERIOD_NS) for p in periods)
    return {
        "rate": 1e9 / statistics.mean(periods),
        "p50": percentile(deviations, 0.50) / 1e6,
        "p99": percentile(deviations, 0.99) / 1e6,
        "largest": max(periods) / 1e6,
        "shortest": min(periods) / 1e6,
        # A tick late by d is followed by one after 15.625 - d ms, as the
        # schedule goes on from its next boundary; only made-up ticks after
        # a stall come back to back.
        "bursts": sum(1 for p in periods if p < 1_000_000),
        "periods": len(periods),
        "pauses": pauses,
        "frames": sum(1 for t in ticks if t[2]),
        "timed": timed,
    }
