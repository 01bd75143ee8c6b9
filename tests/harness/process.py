"""Programs started for a test: each in a process group of its own, ended
with the test driver even when that is killed outright, its output kept."""

import ctypes
import os
import signal
import subprocess
import time

from .checks import Failure, wait_for

STOP_GRACE_S = 5


def die_with_parent(sig):
    """A child-side hook for Popen: if the driver dies (a test timeout), the
    kernel sends `sig` to the child too."""

    def hook():
        pr_set_pdeathsig = 1
        ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, sig)

    return hook


class Process:
    """One started program. Its standard output and error go to `log` (a
    path) unless `stdout` is given; `on_parent_death` is the signal it gets
    if the driver dies (SIGTERM lets a server remove its lock files)."""

    def __init__(self, command, env, log=None, name=None, on_parent_death=signal.SIGKILL,
                 **popen):
        self.name = name or os.path.basename(command[0])
        self.log = log
        opened = open(log, "w") if log and "stdout" not in popen else None
        if "stdout" not in popen:
            popen.update(stdout=opened or subprocess.DEVNULL, stderr=subprocess.STDOUT)
        self.started_ns = time.monotonic_ns()
        try:
            self.proc = subprocess.Popen(command, env=env, start_new_session=True,
                                         preexec_fn=die_with_parent(on_parent_death), **popen)
        except OSError as error:
            raise Failure("cannot start %s: %s" % (command[0], error)) from None
        finally:
            if opened:
                opened.close()  # the child holds its own copy

    @property
    def pid(self):
        return self.proc.pid

    @property
    def returncode(self):
        return self.proc.poll()

    def output(self):
        if not self.log:
            return ""
        try:
            with open(self.log, errors="replace") as f:
                return f.read().strip()
        except FileNotFoundError:
            return ""

    def alive(self, doing="while a state was awaited"):
        """Raises a Failure with the program's own words if it has ended."""
        if self.proc.poll() is not None:
            raise Failure("%s ended (exit code %s) %s; it said:\n%s"
                          % (self.name, self.proc.returncode, doing,
                             self.output() or "(nothing)"))

    def wait_end(self, what, deadline):
        """Waits until the program ends by itself; returns its exit code."""
        wait_for(what, lambda: self.proc.poll() is not None, deadline,
                 late="%s still runs %.0f s after %s" % (self.name, deadline, what))
        return self.proc.returncode

    def stop(self):
        """Ends the whole process group: politely, then for good."""
        if self.proc.poll() is not None:
            return
        try:
            os.killpg(self.proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            return
        try:
            self.proc.wait(STOP_GRACE_S)
        except subprocess.TimeoutExpired:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
