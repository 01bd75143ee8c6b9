"""What a running process uses, read from outside through /proc: CPU time,
wake-ups, memory."""

import glob
import os
import time

from logs import now_ns

CLK_TCK = os.sysconf("SC_CLK_TCK")


def cpu_ns(pid):
    """CPU time (user + system) of all the process's threads, in ns: from the
    scheduler's nanosecond account where the kernel keeps one, else from the
    clock-tick counts of /proc/PID/stat."""
    total = 0
    try:
        for path in glob.glob("/proc/%d/task/*/schedstat" % pid):
            with open(path) as f:
                total += int(f.read().split()[0])
        if total:
            return total
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) * 1_000_000_000 // CLK_TCK
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return None


def switches(pid):
    """Context switches per thread: {tid: (name, count)}. A thread that
    sleeps and wakes switches out once per wake-up."""
    out = {}
    for task in glob.glob("/proc/%d/task/*" % pid):
        try:
            with open(task + "/comm") as f:
                name = f.read().strip()
            count = 0
            with open(task + "/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        count += int(line.split()[1])
            out[os.path.basename(task)] = (name, count)
        except (FileNotFoundError, ProcessLookupError):
            pass
    return out


def status_kb(pid, field):
    """A kB field of /proc/PID/status: VmHWM, VmRSS."""
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return None


class Sample:
    """CPU use and wake-ups of a process over a stretch of wall time, from
    its creation to close()."""

    def __init__(self, pid):
        self.pid = pid
        self.t0, self.cpu0, self.sw0 = now_ns(), cpu_ns(pid), switches(pid)

    def close(self):
        t1, cpu1, sw1 = now_ns(), cpu_ns(self.pid), switches(self.pid)
        self.seconds = (t1 - self.t0) / 1e9
        self.start, self.end = self.t0, t1
        self.cpu = None if None in (cpu1, self.cpu0) else (cpu1 - self.cpu0) / (t1 - self.t0)
        self.by_thread = {}
        for tid, (name, count) in sw1.items():
            delta = count - self.sw0.get(tid, (name, 0))[1]
            if delta:
                self.by_thread["%s(%s)" % (name, tid)] = delta
        self.wakeups = sum(self.by_thread.values()) / self.seconds
        return self


def measure(pid, seconds):
    sample = Sample(pid)
    time.sleep(seconds)
    return sample.close()
