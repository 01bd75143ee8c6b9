"""A private D-Bus session bus with the accessibility bus on it, as a
screen reader's desktop has them."""

import os
import signal
import subprocess

from .checks import Failure, wait_for
from .process import Process

BUS_DEADLINE = 20.0
LIBEXEC = "/usr/libexec/"
NEEDS = ("dbus-daemon", LIBEXEC + "at-spi-bus-launcher", LIBEXEC + "at-spi2-registryd")


class Buses:
    def __init__(self):
        self.procs = []
        self.env = {}

    def start(self, session):
        daemon = self._spawn(session, ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                       "--print-address=1"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = daemon.proc.stdout.readline().strip()
        if not address:
            raise Failure("dbus-daemon gave no address")
        env = dict(session.env, DBUS_SESSION_BUS_ADDRESS=address)
        self.env = {"DBUS_SESSION_BUS_ADDRESS": address}
        self._spawn(session, [LIBEXEC + "at-spi-bus-launcher", "--launch-immediately"], env)
        wait_for("the accessibility bus", lambda: self._a11y_address(env), BUS_DEADLINE,
                 late="the accessibility bus did not come up within %.0f s" % BUS_DEADLINE)
        self._spawn(session, [LIBEXEC + "at-spi2-registryd"], env)
        # pyatspi reads the buses from this process's environment.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        # An X display's name starts with a colon; on any other, AT-SPI
        # would look for an X server first.
        if session.display.name.startswith(":"):
            os.environ["DISPLAY"] = session.display.name
        else:
            os.environ.pop("DISPLAY", None)
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def _spawn(self, session, command, env=None, **popen):
        self.procs.append(Process(command, env or session.env,
                                  on_parent_death=signal.SIGTERM, **popen))
        return self.procs[-1]

    @staticmethod
    def _a11y_address(env):
        done = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=env, capture_output=True, text=True, timeout=10)
        return done.returncode == 0 and done.stdout.strip()

    def stop(self):
        for proc in reversed(self.procs):
            proc.stop()
