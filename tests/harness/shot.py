"""Screenshots as raw RGB, and the pixel reads the tests make on them."""

import subprocess

from .checks import Failure

BLUE = (0, 0, 255)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
BLACK = (0, 0, 0)
# A pixel of white text drawn with smoothing on blue.
LIGHT = 200


class Shot:
    """A screenshot of the whole screen, from an 8-bit binary PPM."""

    def __init__(self, ppm):
        fields = []
        pos = 0
        while len(fields) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            if ppm[pos:pos + 1] == b"#":
                pos = ppm.index(b"\n", pos) + 1
                continue
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[pos:end])
            pos = end
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise Failure("screenshot is not an 8-bit PPM: %r" % fields)
        self.ppm = ppm
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = memoryview(ppm)[pos + 1:]

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise Failure("pixel (%d, %d) is off the screen" % (x, y))
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def points(self, rect, colour):
        """Every point of `rect` (x, y, w, h) that has exactly `colour`."""
        x0, y0, w, h = rect
        pattern = bytes(colour)
        found = []
        for y in range(max(0, y0), min(self.height, y0 + h)):
            start = (y * self.width + max(0, x0)) * 3
            row = bytes(self.data[start:start + min(w, self.width - x0) * 3])
            i = row.find(pattern)
            while i >= 0:
                if i % 3 == 0:
                    found.append((x0 + i // 3, y))
                i = row.find(pattern, i + 1)
        return found

    def count(self, rect, keep):
        """How many pixels of `rect` satisfy `keep(rgb)`."""
        x0, y0, w, h = rect
        return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
                   if keep(self.pixel(x, y)))

    def count_unlike(self, rect, colour):
        return self.count(rect, lambda rgb: rgb != colour)

    def count_light(self, rect):
        return self.count(rect, lambda rgb: min(rgb) >= LIGHT)

    def save_png(self, path):
        subprocess.run(["convert", "ppm:-", path], input=self.ppm, timeout=60, check=False)
