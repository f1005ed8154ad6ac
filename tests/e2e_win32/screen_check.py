#!/usr/bin/env python3
"""Pixel checks of a screenshot of the screensaver under Wine.

  screen_check.py cube SHOT        the cube and the background: exit 0 when at
                                   least three corners hold the background and
                                   four sticker colours show
  screen_check.py moved A B        exit 0 when the cube moved between A and B
  screen_check.py ground SHOT      exit 0 when every pixel holds the background
  screen_check.py absent SHOT RRGGBB
                                   exit 0 when no pixel has that colour
  screen_check.py about SHOT X Y W H LOGO
                                   the About window whose client area is at
                                   (X, Y), W x H on the screen: light-green
                                   ground, LOGO at (142, 55), blue notice
                                   text at (20, 150), dark heading at (110, 20)
Prints what it found.
"""
import subprocess
import sys

BACKGROUND = (0, 38, 0)
CONVERT = "/usr/bin/convert"


def read(path):
    size = subprocess.run(["/usr/bin/identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    raw = subprocess.run([CONVERT, path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return width, height, raw


def pixel(image, x, y):
    width, _, raw = image
    i = (y * width + x) * 3
    return raw[i], raw[i + 1], raw[i + 2]


def is_background(p):
    return all(abs(a - b) <= 2 for a, b in zip(p, BACKGROUND))


def corners_with_background(image):
    width, height, _ = image
    count = 0
    for cx, cy in ((0, 0), (width - 8, 0), (0, height - 8), (width - 8, height - 8)):
        if all(is_background(pixel(image, cx + dx, cy + dy)) for dx in range(8) for dy in range(8)):
            count += 1
    return count


def sticker(p):
    """The sticker colour a lit pixel shows, by hue; None for borders and background."""
    r, g, b = (c / 255.0 for c in p)
    if p[0] < 20 or p[2] < 20:
        return None
    high, low = max(r, g, b), min(r, g, b)
    saturation = (high - low) / high if high > 0 else 0.0
    if saturation < 0.15:
        return "white" if high > 0.5 else None
    if saturation < 0.35 or high < 0.3:
        return None
    d = high - low
    if high == r:
        hue = 60.0 * (((g - b) / d) % 6.0)
    elif high == g:
        hue = 60.0 * ((b - r) / d + 2.0)
    else:
        hue = 60.0 * ((r - g) / d + 4.0)
    if hue < 12.0 or hue > 340.0:
        return "red"
    if hue < 40.0:
        return "orange"
    if hue < 75.0:
        return "yellow"
    if hue < 170.0:
        return "green"
    if hue < 260.0:
        return "blue"
    return None


def sticker_counts(image):
    width, height, raw = image
    counts = {}
    for i in range(0, width * height * 3, 3):
        name = sticker((raw[i], raw[i + 1], raw[i + 2]))
        if name:
            counts[name] = counts.get(name, 0) + 1
    return counts


ABOUT_GROUND = (177, 232, 179)


def near(p, q, tolerance=2):
    return all(abs(a - b) <= tolerance for a, b in zip(p, q))


def count_in(image, left, top, right, bottom, test):
    return sum(1 for y in range(top, bottom) for x in range(left, right) if test(pixel(image, x, y)))


def check_about(image, x0, y0, width, height, logo_path):
    logo = read(logo_path)
    at = lambda x, y: pixel(image, x0 + x, y0 + y)
    ground = all(near(at(x, y), ABOUT_GROUND) for x, y in ((3, 3), (width - 4, height - 4), (60, 100), (300, 100)))
    matching = sum(1 for y in range(logo[1]) for x in range(logo[0])
                   if near(at(142 + x, 55 + y), pixel(logo, x, y), 3))
    logo_share = matching / (logo[0] * logo[1])
    framed = near(at(141, 55), ABOUT_GROUND) and near(at(142 + logo[0], 55), ABOUT_GROUND)
    blue = count_in(image, x0 + 20, y0 + 150, x0 + min(400, width), y0 + 230,
                    lambda p: p[2] >= 150 and p[0] <= 100 and p[1] <= 150)
    dark = count_in(image, x0 + 110, y0 + 20, x0 + min(390, width), y0 + 40, lambda p: max(p) <= 80)
    print(f"ground: {ground}; logo pixels matching: {logo_share:.3f}, framed by the ground: {framed}; "
          f"blue notice pixels: {blue}; dark heading pixels: {dark}")
    return ground and logo_share >= 0.95 and framed and blue >= 50 and dark >= 50


def main(argv):
    if len(argv) == 3 and argv[1] == "cube":
        image = read(argv[2])
        corners = corners_with_background(image)
        counts = sticker_counts(image)
        shown = sorted(name for name, n in counts.items() if n >= 20)
        print(f"corners with background: {corners}; sticker pixels: {counts}")
        return 0 if corners >= 3 and len(shown) >= 4 else 1
    if len(argv) == 4 and argv[1] == "moved":
        a, b = read(argv[2]), read(argv[3])
        if a[:2] != b[:2]:
            print("sizes differ")
            return 1
        changed = sum(1 for i in range(0, len(a[2]), 3) if a[2][i:i + 3] != b[2][i:i + 3])
        print(f"pixels changed: {changed}")
        return 0 if changed >= 50 else 1
    if len(argv) == 3 and argv[1] == "ground":
        image = read(argv[2])
        width, height, _ = image
        other = sum(1 for y in range(height) for x in range(width) if not is_background(pixel(image, x, y)))
        print(f"pixels other than the background: {other} of {width * height}")
        return 0 if other == 0 else 1
    if len(argv) == 4 and argv[1] == "absent":
        image = read(argv[2])
        colour = tuple(int(argv[3][i:i + 2], 16) for i in (0, 2, 4))
        found = sum(1 for i in range(0, len(image[2]), 3) if tuple(image[2][i:i + 3]) == colour)
        print(f"pixels of {argv[3]}: {found}")
        return 0 if found == 0 else 1
    if len(argv) == 8 and argv[1] == "about":
        image = read(argv[2])
        return 0 if check_about(image, *(int(v) for v in argv[3:7]), argv[7]) else 1
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
