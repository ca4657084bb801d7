"""The artwork at 96, 120 and 144 DPI ("large size" fonts), end to end.

For each DPI the test sets Wine's LogPixels, starts the program and reads the
screen: the banner must fill Image1 to its right and bottom edges, and show
there exactly the pixels of the banner drawn for that DPI
(resources/banner-<dpi>dpi.png, decoded by ImageMagick). 120 DPI has no
drawing of its own: it must show the 144-DPI drawing scaled down, which the
test compares with ImageMagick's area-averaging scale of it (the two round
differently, so a small mean difference is allowed); after a click on
"关于本程序" the about picture must fill Image3 to its edges. Screenshots of the
window at each DPI are kept in build/win-x64/e2e-screens/artwork_<dpi>.png.
"""
import os

import pytest

import harness

DPIS = (96, 120, 144)
# The DPI of the drawing that each DPI shows.
DRAWN_FOR = {96: 96, 120: 144, 144: 144}
# The largest mean difference per colour byte between the program's scaling
# and ImageMagick's (seen: 0.32). The 96-DPI drawing scaled up differs by 2.2.
SCALED_MEAN_LIMIT = 1.0
WHITE = (255, 255, 255)


def set_dpi(s, dpi):
    s.run_wine("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t",
               "REG_DWORD", "/d", str(dpi), "/f")


def fills(shot, rect, what):
    """The right-most column and the bottom row of `rect` hold no white pixel:
    the picture reaches both edges of its box."""
    x, y, w, h = rect["x"], rect["y"], rect["w"], rect["h"]
    column = harness.rgb_bytes(shot, (x + w - 1, y, 1, h))
    row = harness.rgb_bytes(shot, (x, y + h - 1, w, 1))
    for line, where in ((column, "right-most column"), (row, "bottom row")):
        blank = [i // 3 for i in range(0, len(line), 3) if line[i:i + 3] == bytes(WHITE)]
        assert not blank, (f"{what}: no white pixel in the box's {where}: "
                           f"{len(blank)} of {len(line) // 3} are white")


def check_dpi(s, dpi):
    set_dpi(s, dpi)
    tree = s.start()
    assert tree.dpi == dpi, f"{dpi} DPI: the program sees the DPI set"
    shot = s.screenshot(os.path.join(harness.SCREENS_DIR, f"artwork_{dpi}.png"))
    image1 = tree["Image1"]["screen"]
    want = ((6000 * dpi + 720) // 1440, (1065 * dpi + 720) // 1440)
    assert (image1["w"], image1["h"]) == want, f"{dpi} DPI: Image1's box in pixels"
    fills(shot, image1, f"{dpi} DPI: the banner")
    shown = harness.rgb_bytes(shot, (image1["x"], image1["y"], image1["w"], image1["h"]))
    drawing = os.path.join(harness.REPO, "resources", f"banner-{DRAWN_FOR[dpi]}dpi.png")
    if DRAWN_FOR[dpi] == dpi:
        drawn = harness.rgb_bytes(drawing)
        assert shown == drawn, (
            f"{dpi} DPI: Image1 shows the banner drawn for {dpi} DPI: "
            f"{sum(a != b for a, b in zip(shown, drawn))} of {len(drawn)} bytes differ")
    else:
        scaled = harness.rgb_bytes(drawing, resize=(image1["w"], image1["h"]))
        mean = sum(abs(a - b) for a, b in zip(shown, scaled)) / max(len(scaled), 1)
        assert len(shown) == len(scaled) and mean <= SCALED_MEAN_LIMIT, (
            f"{dpi} DPI: Image1 shows the {DRAWN_FOR[dpi]}-DPI banner scaled down: "
            f"mean difference per byte {mean:.2f}")

    s.click("gy", tree)
    about = harness.wait_until(lambda: (lambda t: t if t["gybcx"]["visible"] else None)(s.tree()),
                               5, what="the about panel")
    assert about is not None, f"{dpi} DPI: the about panel shows"
    shot = s.screenshot(os.path.join(harness.SCREENS_DIR, f"artwork_{dpi}_about.png"))
    fills(shot, about["Image3"]["screen"], f"{dpi} DPI: the about picture")

    assert s.close_window(tree.window["hwnd"]), f"{dpi} DPI: the window closes"
    s.wait_for_exit()


@pytest.fixture
def program_ends(session):
    """The next DPI starts the program afresh, also after a failure (once the
    screen at the failure is saved)."""
    yield
    session.stop_program()


@pytest.mark.usefixtures("program_ends")
@pytest.mark.parametrize("dpi", DPIS)
def test_artwork_dpi(session, dpi):
    check_dpi(session, dpi)

