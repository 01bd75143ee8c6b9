"""The play window's controls in twips, as the game itself lays them out,
read from the scripted driver `rallo2-sim` on a screen of the display's
size; and the game's twips-to-pixels rule."""

import collections
import math
import re
import subprocess

from .checks import Failure

TWIPS_PER_PIXEL = 15.0
ONE_PLAYER = "one player"
AGAINST_COMPUTER = "against the computer"
# The menu item a mode is chosen with, from the board the program starts on.
MODE_ITEMS = {ONE_PLAYER: None, AGAINST_COMPUTER: "mnuOptionsTwoPlayerComputer"}
CONTROLS = ("frmRallo", "shpWallLeft", "shpWallTop", "shpWallRight", "shpWallBottom",
            "shpBall", "shpPaddle", "shpPlayer1", "shpPlayer2", "cmdNewGame", "cmdExit",
            "Label1", "Label2")

Twips = collections.namedtuple("Twips", "left top width height visible")
_PROPERTY = re.compile(r'(\w+)=("[^"]*"|\S+)')


def px(twips):
    """Twips to whole pixels, halves away from zero, as the game draws them."""
    return int(math.floor(twips / TWIPS_PER_PIXEL + 0.5))


def box(twips):
    """A control's pixel box (x, y, w, h) from its place in twips."""
    return (px(twips.left), px(twips.top), px(twips.width), px(twips.height))


def read_layout(sim, screen, mode):
    """{control name: Twips} of the play window in `mode`, after start-up."""
    script = ["screen %d %d" % screen, "start"]
    if MODE_ITEMS[mode]:
        script.append("menu " + MODE_ITEMS[mode])
    script += ["print " + name for name in CONTROLS]
    done = subprocess.run([sim], input="\n".join(script) + "\n", capture_output=True,
                          text=True, timeout=60)
    if done.returncode != 0:
        raise Failure("%s could not report the court (exit status %d): %s"
                      % (sim, done.returncode, done.stderr.strip()))
    layout = {}
    for line in done.stdout.splitlines():
        name, _, rest = line.partition(" ")
        values = dict(_PROPERTY.findall(rest))
        layout[name] = Twips(float(values["Left"]), float(values["Top"]),
                             float(values["Width"]), float(values["Height"]),
                             values["Visible"] == "1")
    missing = [name for name in CONTROLS if name not in layout]
    if missing:
        raise Failure("%s did not report %s" % (sim, ", ".join(missing)))
    return layout
