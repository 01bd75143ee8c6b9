"""The play window on the screen: where its client area lies, and what its
pixels show at the places the game itself reports for its controls."""

from .court import ONE_PLAYER, box, px, read_layout
from .shot import BLUE, WHITE, YELLOW

PLAY_TITLE = "Rallo"
DIALOG_TITLE = "How long do you want to play?"
# Enough light pixels in a label's box to be a caption, not noise.
TEXT_PIXELS = 10


class PlayWindow:
    def __init__(self, session, window):
        self.session = session
        self.window = window
        self.mode = ONE_PLAYER
        self.origin = None  # the client area's top-left corner on the screen
        self._layouts = {}

    def twips(self, name):
        """A control's place in twips in the current mode, as the game has it."""
        if self.mode not in self._layouts:
            self._layouts[self.mode] = read_layout(self.session.sim, self.session.screen,
                                                   self.mode)
        return self._layouts[self.mode][name]

    def box(self, name):
        """A control's pixel box in the client area: (x, y, w, h)."""
        return box(self.twips(name))

    def locate(self):
        """Finds the client area: the top wall is the first white line, as thick
        as the wall, with blue below it, under the window's top edge."""
        wx, wy, ww, wh = self.session.geometry(self.window)
        wall = px(self.twips("shpWallTop").height)

        def probe():
            shot = self.session.shoot()
            column = wx + ww // 3
            for y in range(wy, min(wy + wh - wall - 1, shot.height - wall - 1)):
                if (all(shot.pixel(column, y + i) == WHITE for i in range(wall))
                        and shot.pixel(column, y + wall) == BLUE):
                    return (wx, y)
            return None

        self.origin = self.session.wait_for("the court's top wall in the play window", probe)
        return self.origin

    def at(self, x, y):
        """A client-area point on the screen."""
        return (self.origin[0] + x, self.origin[1] + y)

    def on_screen(self, rect):
        return (self.origin[0] + rect[0], self.origin[1] + rect[1], rect[2], rect[3])

    def centre(self, name):
        x, y, w, h = self.box(name)
        return self.at(x + w // 2, y + h // 2)

    def court(self):
        """The blue inside of the walls, in client pixels."""
        left = px(self.twips("shpWallLeft").width)
        top = px(self.twips("shpWallTop").height)
        return (left, top, px(self.twips("shpWallRight").left) - left,
                px(self.twips("shpWallBottom").top) - top)

    def ball(self, shot):
        """The yellow ball's centre in client pixels and its size in pixels."""
        points = shot.points(self.on_screen(self.court()), YELLOW)
        if not points:
            return None
        cx = sum(p[0] for p in points) / len(points) - self.origin[0]
        cy = sum(p[1] for p in points) / len(points) - self.origin[1]
        return (cx, cy, len(points))

    def paddle_run(self, shot):
        """The one-player paddle's white inside on its middle row, as
        (first x, length) in client pixels, or None."""
        paddle = self.box("shpPaddle")
        left, _, width, _ = self.court()
        y = self.origin[1] + paddle[1] + paddle[3] // 2
        x0, x1 = self.origin[0] + left, self.origin[0] + left + width
        runs, start = [], None
        for x in range(x0, x1 + 1):
            white = x < x1 and shot.pixel(x, y) == WHITE
            if white and start is None:
                start = x
            elif not white and start is not None:
                runs.append((start - self.origin[0], x - start))
                start = None
        runs = [r for r in runs if r[1] >= paddle[2] // 2]
        return runs[0] if len(runs) == 1 else None

    def button_shown(self, shot, name):
        """A button covers its box with its own face; a hidden one leaves blue."""
        rect = self.box(name)
        return shot.count_unlike(self.on_screen(rect), BLUE) > rect[2] * rect[3] // 2

    def text_shown(self, shot, name):
        """A blue label shows its caption as white text."""
        return shot.count_light(self.on_screen(self.box(name))) >= TEXT_PIXELS
