"""A keyboard and a mouse plugged into a Wayland compositor, through its
virtual-keyboard and virtual-pointer protocols, spoken here directly on the
compositor's socket. One device of each for a whole session: the game sees
one keymap, and presses and releases as from real hardware.

Key names are xdotool's: "alt+o", "Return", "Up", "5", "P" (shift+p)."""

import array
import os
import socket
import struct
import time

from .checks import Failure

# The evdev codes of the keys a test presses.
KEYS = {"Escape": 1, "BackSpace": 14, "Tab": 15, "Return": 28, "space": 57,
        "ctrl": 29, "shift": 42, "alt": 56, "Pause": 119,
        "Up": 103, "Left": 105, "Right": 106, "Down": 108}
KEYS.update({str(digit): 2 + (digit + 9) % 10 for digit in range(10)})
for row, first in (("qwertyuiop", 16), ("asdfghjkl", 30), ("zxcvbnm", 44)):
    KEYS.update({letter: first + i for i, letter in enumerate(row)})
# The modifier masks of the keymap below: xkb's real modifiers in order.
MODIFIERS = {"shift": 1, "ctrl": 4, "alt": 8}
KEYMAP = b"""xkb_keymap {
  xkb_keycodes { include "evdev+aliases(qwerty)" };
  xkb_types { include "complete" };
  xkb_compat { include "complete" };
  xkb_symbols { include "pc+us+inet(evdev)" };
};\0"""
KEYMAP_XKB_V1 = 1
# Between the presses and releases of a chord.
CHORD_PACE_S = 0.03
BUTTON_LEFT = 0x110
PRESSED, RELEASED = 1, 0
# Requests by (interface, name): opcodes of the protocols' XML.
DISPLAY_SYNC, DISPLAY_GET_REGISTRY, REGISTRY_BIND = 0, 1, 0
KEYBOARD_KEYMAP, KEYBOARD_KEY, KEYBOARD_MODIFIERS = 0, 1, 2
POINTER_MOTION_ABSOLUTE, POINTER_BUTTON, POINTER_FRAME = 1, 2, 4
EVENT_DISPLAY_ERROR, EVENT_REGISTRY_GLOBAL = 0, 0


def _string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def _now_ms():
    return int(time.monotonic() * 1000) & 0xFFFFFFFF


class VirtualInput:
    """Connects to the compositor at `socket_path` and plugs in the devices;
    the screen's `size` is the range of the mouse's absolute moves."""

    def __init__(self, socket_path, size):
        self.size = size
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(socket_path)
        self.last_id = 1  # the display's
        self.received = b""
        self.globals = {}
        self.modifiers = 0
        self.registry = self._request(1, DISPLAY_GET_REGISTRY, new=True)
        self._roundtrip()
        seat = self._bind("wl_seat")
        keyboards = self._bind("zwp_virtual_keyboard_manager_v1")
        pointers = self._bind("zwlr_virtual_pointer_manager_v1")
        self.keyboard = self._request(keyboards, 0, struct.pack("<I", seat), new=True)
        self.pointer = self._request(pointers, 0, struct.pack("<I", seat), new=True)
        self._upload_keymap()
        self._roundtrip()

    def close(self):
        self.sock.close()

    def tap(self, combo):
        """Presses the keys of `combo` in turn and releases them backwards,
        a chord at a hand's pace: a program that hands its keys to a screen
        reader before it acts on them (Qt does) may see an instant chord's
        modifier go before the key it modifies."""
        names = self._names(combo)
        events = [(name, PRESSED) for name in names] + [(n, RELEASED) for n in reversed(names)]
        for index, (name, state) in enumerate(events):
            self._key(name, state)
            if len(names) > 1 and index < len(events) - 1:
                self._roundtrip()
                time.sleep(CHORD_PACE_S)
        self._roundtrip()

    def hold(self, combo, down):
        names = self._names(combo)
        for name in names if down else reversed(names):
            self._key(name, PRESSED if down else RELEASED)
        self._roundtrip()

    def click(self, point):
        self.press(point)
        self.press(point, False)

    def press(self, point, down=True):
        """The left button pressed (or released) at `point`."""
        self._motion(point)
        self._request(self.pointer, POINTER_BUTTON,
                      struct.pack("<III", _now_ms(), BUTTON_LEFT, PRESSED if down else RELEASED))
        self._request(self.pointer, POINTER_FRAME)
        self._roundtrip()

    def move(self, point):
        self._motion(point)
        self._roundtrip()

    def _motion(self, point):
        x, y = point
        width, height = self.size
        self._request(self.pointer, POINTER_MOTION_ABSOLUTE,
                      struct.pack("<IIIII", _now_ms(), x, y, width, height))
        self._request(self.pointer, POINTER_FRAME)

    # --- keys ---------------------------------------------------------------

    @staticmethod
    def _names(combo):
        names = []
        for name in combo.split("+"):
            if len(name) == 1 and name.isupper():
                names += ["shift", name.lower()]
            elif name in KEYS:
                names.append(name)
            else:
                raise Failure("the virtual keyboard has no key %r" % name)
        return names

    def _key(self, name, state):
        self._request(self.keyboard, KEYBOARD_KEY,
                      struct.pack("<III", _now_ms(), KEYS[name], state))
        if name in MODIFIERS:
            if state == PRESSED:
                self.modifiers |= MODIFIERS[name]
            else:
                self.modifiers &= ~MODIFIERS[name]
            self._request(self.keyboard, KEYBOARD_MODIFIERS,
                          struct.pack("<IIII", self.modifiers, 0, 0, 0))

    def _upload_keymap(self):
        fd = os.memfd_create("keymap")
        try:
            os.write(fd, KEYMAP)
            self._request(self.keyboard, KEYBOARD_KEYMAP,
                          struct.pack("<II", KEYMAP_XKB_V1, len(KEYMAP)), fd=fd)
        finally:
            os.close(fd)

    # --- the wire -------------------------------------------------------------

    def _bind(self, interface):
        if interface not in self.globals:
            raise Failure("the compositor offers no %s" % interface)
        name, _ = self.globals[interface]
        return self._request(self.registry, REGISTRY_BIND, struct.pack("<I", name)
                             + _string(interface) + struct.pack("<I", 1), new=True)

    def _request(self, target, opcode, args=b"", new=False, fd=None):
        """Sends a request; with `new`, its last argument is a new object's
        id, which it returns."""
        if new:
            self.last_id += 1
            args += struct.pack("<I", self.last_id)
        message = struct.pack("<II", target, (8 + len(args)) << 16 | opcode) + args
        if fd is None:
            self.sock.sendall(message)
        else:
            self.sock.sendmsg([message], [(socket.SOL_SOCKET, socket.SCM_RIGHTS,
                                           array.array("i", [fd]))])
        return self.last_id

    def _roundtrip(self):
        """Returns once the compositor has handled every request sent so far."""
        callback = self._request(1, DISPLAY_SYNC, new=True)
        while True:
            target, opcode, body = self._event()
            if target == callback:
                return
            if target == 1 and opcode == EVENT_DISPLAY_ERROR:
                culprit, code, length = struct.unpack_from("<III", body)
                raise Failure("the compositor refused the virtual input (object %d, error"
                              " %d): %s" % (culprit, code, body[12:11 + length].decode()))
            if target == self.registry and opcode == EVENT_REGISTRY_GLOBAL:
                name, length = struct.unpack_from("<II", body)
                interface = body[8:7 + length].decode()
                version, = struct.unpack_from("<I", body, 8 + length + (-length % 4))
                self.globals[interface] = (name, version)

    def _event(self):
        while len(self.received) < 8 or len(self.received) < self._size():
            data = self.sock.recv(65536)
            if not data:
                raise Failure("the compositor closed the virtual input's connection")
            self.received += data
        size = self._size()
        target, word = struct.unpack_from("<II", self.received)
        body, self.received = self.received[8:size], self.received[size:]
        return target, word & 0xFFFF, body

    def _size(self):
        return struct.unpack_from("<I", self.received, 4)[0] >> 16
