#!/usr/bin/env python3
"""Checks Rallo2 the way a desktop and a packager see it: the files that
`cmake --install` puts down, the Debian package CPack makes, and the game
started from its installed menu entry.

Usage: rallo2_install.py --build DIR CHECK...   (checks: files, package, window)

Every check installs the build into its session's own folder with DESTDIR
and prefix /usr, as the package does; the folder goes with the session.
"""

import configparser
import os
import shlex
import shutil
import struct
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from harness import BLUE, PLAY_TITLE, WHITE, YELLOW, expect, runner  # noqa: E402

APP_ID = "org.rallo2.Rallo2"
THEME_SIZES = (48, 64, 128, 256)
PACKAGE = "rallo2_2.0_amd64.deb"
GAME = "usr/games/rallo2"
DESKTOP_ENTRY = "usr/share/applications/%s.desktop" % APP_ID
METAINFO = "usr/share/metainfo/%s.metainfo.xml" % APP_ID
ICON = "usr/share/icons/hicolor/%s/apps/" + APP_ID
MANUAL = "usr/share/man/man6/rallo2.6.gz"
DOCS = "usr/share/doc/rallo2/"

# Everything the game installs, and nothing else.
INSTALLED = sorted([GAME, DESKTOP_ENTRY, METAINFO, MANUAL, DOCS + "copyright",
                    DOCS + "changelog.gz", ICON % "scalable" + ".svg"]
                   + [ICON % ("%dx%d" % (size, size)) + ".png" for size in THEME_SIZES])

CONTROL = {
    "Package": "rallo2",
    "Version": "2.0",
    "Architecture": "amd64",
    "Section": "games",
    "Priority": "optional",
    "Maintainer": "The Rallo2 team <team@rallo2.org>",
    # A sans-serif face first: without it the menus are drawn monospace.
    "Recommends": "fonts-dejavu-core, sound-theme-freedesktop, libcanberra-pulse, qt6-wayland",
}
# The font the captions are laid out for, as the package asks for it.
FONT_DEPENDS = "fonts-liberation2 | fonts-liberation"
# Libraries the program links, which dpkg-shlibdeps must have found.
LINKED = ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6")


def run(command, env=None, timeout=120):
    """Runs a tool and returns (exit code, output with stderr)."""
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=timeout)
    return done.returncode, done.stdout.strip()


def stage(build, root):
    """Installs as the package does. Naming the component makes CMake list
    the files in install_manifest_Unspecified.txt, and leaves the build's
    install_manifest.txt to the real install that removal reads."""
    env = dict(os.environ, DESTDIR=root)
    code, out = run(["cmake", "--install", build, "--prefix", "/usr", "--component",
                     "Unspecified"], env=env)
    expect(code == 0, "cmake --install failed:\n%s" % out)


def installed_files(root):
    found = []
    for folder, _, files in os.walk(root):
        found += [os.path.relpath(os.path.join(folder, name), root) for name in files]
    return sorted(found)


def report(tool, out):
    """Shows a validator's own words in the test log."""
    print("%s: %s" % (tool, out.replace("\n", "\n    ") if out else "(no messages)"))


# --- pictures ------------------------------------------------------------------


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    expect(head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", "%s is not a PNG" % path)
    return struct.unpack(">II", head[16:24])


def rgba(path):
    """The picture's pixels, 8-bit RGBA rows, read with ImageMagick."""
    done = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], capture_output=True,
                          timeout=60)
    expect(done.returncode == 0, "convert could not read %s" % path)
    return done.stdout


def colours(pixels):
    return {tuple(pixels[i:i + 3]) for i in range(0, len(pixels), 4) if pixels[i + 3] == 255}


def check_icons(root):
    for size in THEME_SIZES:
        path = os.path.join(root, ICON % ("%dx%d" % (size, size)) + ".png")
        expect(png_size(path) == (size, size), "the %d px icon is %dx%d" % ((size,)
                                                                           + png_size(path)))
        seen = colours(rgba(path))
        for colour, what in ((BLUE, "court"), (YELLOW, "ball"), (WHITE, "walls")):
            expect(colour in seen, "the %d px icon has no %s (RGB %s)" % (size, what, colour))
    svg = ElementTree.parse(os.path.join(root, ICON % "scalable" + ".svg")).getroot()
    expect(svg.tag == "{http://www.w3.org/2000/svg}svg", "the scalable icon is not an SVG")
    expect(svg.get("viewBox"), "the scalable icon has no viewBox to scale by")


# --- the installed files --------------------------------------------------------


def desktop_entry(root):
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str  # keys are case-sensitive
    entry.read(os.path.join(root, DESKTOP_ENTRY))
    return entry["Desktop Entry"]


def check_files(session):
    root = os.path.join(session.tmp, "root")
    stage(session.build, root)
    files = installed_files(root)
    expect(files == INSTALLED, "installed files differ:\n  missing: %s\n  extra: %s"
           % (sorted(set(INSTALLED) - set(files)), sorted(set(files) - set(INSTALLED))))
    expect(os.access(os.path.join(root, GAME), os.X_OK), "the installed game cannot be run")

    code, out = run(["desktop-file-validate", os.path.join(root, DESKTOP_ENTRY)])
    report("desktop-file-validate", out)
    expect(code == 0 and not out, "desktop-file-validate found faults in the desktop entry")
    code, out = run(["appstreamcli", "validate", "--no-net", os.path.join(root, METAINFO)])
    report("appstreamcli validate", out)
    expect(code == 0, "appstreamcli rejects the metainfo file")
    expect(not [line for line in out.splitlines() if line.startswith(("E:", "W:"))],
           "appstreamcli reports errors or warnings on the metainfo file")
    # The tree as software centres read it: metainfo beside its desktop entry.
    code, out = run(["appstreamcli", "validate-tree", "--no-net", root])
    report("appstreamcli validate-tree", out)
    expect(code == 0, "appstreamcli rejects the installed tree")

    # The three files name each other; a rename of one breaks the menu entry.
    entry = desktop_entry(root)
    expect(entry.get("Icon") == APP_ID, "the desktop entry's Icon is %r" % entry.get("Icon"))
    expect(entry.get("Categories") == "Game;ArcadeGame;",
           "the desktop entry's Categories are %r" % entry.get("Categories"))
    metainfo = ElementTree.parse(os.path.join(root, METAINFO)).getroot()
    expect(metainfo.findtext("id") == APP_ID, "the metainfo id is %r" % metainfo.findtext("id"))
    launchable = metainfo.findtext("launchable[@type='desktop-id']")
    expect(launchable == os.path.basename(DESKTOP_ENTRY),
           "the metainfo launches %r, not the installed desktop entry" % launchable)
    binary = metainfo.findtext("provides/binary")
    expect(binary == os.path.basename(GAME), "the metainfo provides the binary %r" % binary)
    release = metainfo.find("releases/release")
    expect(release is not None and release.get("version") == "2.0",
           "the metainfo has no release 2.0")
    check_icons(root)

    manual = os.path.join(root, MANUAL)
    done = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", manual],
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                          timeout=60)
    expect(done.returncode == 0 and not done.stderr.strip(),
           "the manual page has faults:\n%s" % done.stderr.strip())
    code, out = run(["lexgrog", manual])
    expect(code == 0 and '"rallo2 - ' in out, "the manual page has no NAME line: %s" % out)


# --- the Debian package ---------------------------------------------------------


def control_fields(text):
    fields, name = {}, None
    for line in text.splitlines():
        if line.startswith(" ") and name:
            fields[name] += "\n" + line.strip()
        elif ":" in line:
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return fields


def check_package(session):
    folder = os.path.join(session.tmp, "package")
    config = os.path.join(session.build, "CPackConfig.cmake")
    code, out = run(["cpack", "-G", "DEB", "--config", config, "-B", folder], timeout=300)
    expect(code == 0, "cpack failed:\n%s" % out)
    deb = os.path.join(folder, PACKAGE)
    expect(os.path.exists(deb), "cpack made no %s: %s" % (PACKAGE, os.listdir(folder)))

    code, out = run(["dpkg-deb", "--field", deb])
    expect(code == 0, "dpkg-deb cannot read the package: %s" % out)
    fields = control_fields(out)
    for name, value in CONTROL.items():
        expect(fields.get(name) == value, "control field %s is %r, expected %r"
               % (name, fields.get(name), value))
    alternatives = [part.strip() for part in fields.get("Depends", "").split(",")]
    expect(FONT_DEPENDS in alternatives, "Depends lacks %s: %r" % (FONT_DEPENDS, alternatives))
    depends = [part.split()[0] for part in alternatives if part]
    for library in LINKED:
        expect(library in depends, "Depends lacks %s: %r" % (library, fields.get("Depends")))
    description = fields.get("Description", "").split("\n")
    expect(len(description) > 2 and description[0] and description[1] != description[0],
           "the description has no synopsis and long text: %r" % description)
    expect(fields.get("Homepage", "").startswith("https://"), "no Homepage field")

    code, out = run(["dpkg-deb", "--contents", deb])
    expect(code == 0, "dpkg-deb cannot list the package: %s" % out)
    entries = [line.split(None, 5) for line in out.splitlines()]
    files = sorted(e[5][2:] for e in entries if not e[0].startswith("d"))
    expect(files == INSTALLED, "the package's files differ from the install:\n"
           "  missing: %s\n  extra: %s" % (sorted(set(INSTALLED) - set(files)),
                                          sorted(set(files) - set(INSTALLED))))
    for mode, owner, _, _, _, path in entries:
        expect(owner == "root/root", "%s belongs to %s" % (path, owner))
        wanted = "-rwxr-xr-x" if path in ("./" + GAME,) or mode.startswith("d") else "-rw-r--r--"
        expect(mode[1:] == wanted[1:], "%s has mode %s" % (path, mode))

    if shutil.which("lintian") is None:
        print("note: lintian is not installed; the package's policy check was skipped")
        return
    started = time.monotonic()
    code, out = run(["lintian", "--fail-on", "error", "--display-info", deb], timeout=300)
    report("lintian (%.1f s)" % (time.monotonic() - started), "\n".join(
        line for line in out.splitlines() if "running with root privileges" not in line))
    expect(code == 0, "lintian reports errors on %s" % PACKAGE)


# --- the game started from its menu entry ---------------------------------------


def exec_command(entry, root):
    """The desktop entry's Exec line as a launcher runs it: field codes
    dropped, the program looked up in a PATH that holds the staged games
    folder first."""
    words = [w for w in shlex.split(entry["Exec"]) if not (len(w) == 2 and w[0] == "%")]
    expect(words, "the desktop entry has an empty Exec line")
    path = os.pathsep.join([os.path.join(root, os.path.dirname(GAME)), os.environ["PATH"]])
    program = shutil.which(words[0], path=path)
    expect(program == os.path.join(root, GAME), "Exec runs %r, which finds %r, not the"
           " installed game" % (words[0], program))
    return [program] + words[1:]


def window_icons(session, window):
    """The window's _NET_WM_ICON: {(width, height): [ARGB, ...]}."""
    out = session.display.run("xprop", "-id", str(window), "-notype", "-f", "_NET_WM_ICON", "32c",
                    "_NET_WM_ICON", check=False)
    expect("=" in out, "the window has no _NET_WM_ICON: %s" % out.strip())
    values = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
    icons = {}
    while len(values) >= 2:
        width, height = values[0], values[1]
        icons[(width, height)] = values[2:2 + width * height]
        values = values[2 + width * height:]
    return icons


def same_pixel(a, b):
    """ARGB pixels alike: exact where opaque; where see-through, as close
    as the window system's premultiplied copy of the picture keeps them."""
    if a == b:
        return True
    channels = [((a >> shift) & 255, (b >> shift) & 255) for shift in (24, 16, 8, 0)]
    return channels[0][0] < 255 and all(abs(x - y) <= 2 for x, y in channels)


def check_window(session):
    root = os.path.join(session.tmp, "root")
    stage(session.build, root)
    entry = desktop_entry(root)
    session.start_game(command=exec_command(entry, root))
    window = session.find_window(PLAY_TITLE)
    wm_class = session.display.run("xprop", "-id", str(window), "WM_CLASS")
    expect('"%s"' % entry["StartupWMClass"] in wm_class,
           "WM_CLASS %s does not match StartupWMClass=%s" % (wm_class.strip(),
                                                             entry["StartupWMClass"]))
    icons = window_icons(session, window)
    expect((48, 48) in icons, "the window icon has no 48 px picture: %s" % sorted(icons))
    # The same picture as the installed 48 px theme icon, pixel for pixel.
    pixels = rgba(os.path.join(root, ICON % "48x48" + ".png"))
    theme = [(pixels[i + 3] << 24) | (pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]
             for i in range(0, len(pixels), 4)]
    unlike = [(a, b) for a, b in zip(icons[(48, 48)], theme) if not same_pixel(a, b)]
    expect(len(icons[(48, 48)]) == len(theme) and not unlike,
           "the 48 px window icon differs from the theme icon in %d pixels, e.g. %s"
           % (len(unlike), ["%08x/%08x" % pair for pair in unlike[:3]]))
    print("window \"%s\" from Exec=%s, icon sizes %s" % (
        PLAY_TITLE, entry["Exec"], ", ".join("%dx%d" % s for s in sorted(icons))))


CHECKS = {"files": check_files, "package": check_package, "window": check_window}


if __name__ == "__main__":
    sys.exit(runner.main(CHECKS, __doc__, needs=()))
