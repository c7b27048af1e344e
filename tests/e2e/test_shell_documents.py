"""Documents on screen under Wine: the blank first picture in its window over the wallpaper (after the
tips box) saved through the Save dialog, a .vkd named on the command line opened in its place, the Preferences dialog over it,
zooming in and dragging the picture with the hand (Space), picking a colour with Alt, and quitting with a modified picture: Cancel keeps the program running, No ends it, Yes saves and ends."""
import os
import shutil
import struct
import sys
import time

from harness import Session, parse_args, wait_until

MAIN = "990717WClass"
WM_CLOSE = 0x0010
WM_COMMAND = 0x0111
NEW_LAYER = 137
SAVE_AS = 57604
DIALOG = "#32770"
PREFERENCES = 32860
ZOOM_IN, ZOOM_ACTUAL = 32850, 32852

WHITE, BLACK = (255, 255, 255), (0, 0, 0)


def write_settings(stage, daily_hint):
    """A fresh TESSEL.INI: every default, with the tips box on or off."""
    with open(os.path.join(stage, "TESSEL.INI"), "w", newline="\r\n") as f:
        f.write(f"[Brisalo 6]\nDAILY_HINT_ON={daily_hint}\n")


def write_vkd(path, width, height, layers):
    """A layered document with raw (uncoded) pixels, which every reader accepts.

    layers: bottom first, each (name, x, y, w, h, (r, g, b))."""
    out = struct.pack("<HHHHHHHHH", 18, 0x564B, width, height, len(layers), 0, 100, 0, 0)
    for name, x, y, w, h, (r, g, b) in layers:
        out += name.encode().ljust(40, b"\0")
        out += struct.pack("<BBBBhhBB", 255, 1, 0, 0, x, y, 0x02, 0)
        size = w * 4 * h
        out += struct.pack("<IiiHHII", 40, w, h, 1, 32, 0, size).ljust(44, b"\0")
        out += bytes((b, g, r, 255)) * (w * h)
    with open(path, "wb") as f:
        f.write(out)


def layer_count(path):
    with open(path, "rb") as f:
        size, magic, _, _, count = struct.unpack("<HHHHH", f.read(10))
    assert (size, magic) == (18, 0x564B), "not a layered document"
    return count


def canvas_box(img, inside):
    """The canvas around a point inside it: scans out to the black frame on each side."""
    x, y = inside
    colour = img.pixel(x, y)
    left = x
    while left > 0 and img.pixel(left - 1, y) == colour:
        left -= 1
    right = x
    while right < img.width - 1 and img.pixel(right + 1, y) == colour:
        right += 1
    top = y
    while top > 0 and img.pixel(x, top - 1) == colour:
        top -= 1
    bottom = y
    while bottom < img.height - 1 and img.pixel(x, bottom + 1) == colour:
        bottom += 1
    return left, top, right + 1, bottom + 1


def assert_framed(img, box):
    left, top, right, bottom = box
    mx, my = (left + right) // 2, (top + bottom) // 2
    for p in ((left - 1, my), (right, my), (mx, top - 1), (mx, bottom)):
        assert img.pixel(*p) == BLACK, f"no black frame at {p}: {img.pixel(*p)}"


def message_box_buttons(s, screen_w, screen_h):
    """Centres of the Yes, No and Cancel buttons of a three-button box centred on the screen."""
    with open(os.path.join(s.stage, "res", "tools", "msgbox.img"), "rb") as f:
        head = f.read(26)
    w, h = struct.unpack("<ii", head[18:26])
    h = abs(h)
    x, y = (screen_w - w) // 2, (screen_h - h) // 2
    row = x + (w - (3 * 88 + 2 * 12)) // 2
    return [(row + i * 100 + 44, y + h - 28) for i in range(3)]


def main():
    args = parse_args()
    with Session(args) as s:
        sw, sh = (int(v) for v in s.size.split("x"))
        centre = (sw // 2, sh // 2)

        # 1. no arguments: the tips box first, then the blank 600 x 400 picture framed in black
        write_settings(s.stage, 1)
        proc = s.start("pintara6.exe")
        s.wait_window(MAIN, 30000)

        # the tips box lies over the middle of the screen: its pale body, not the white canvas
        def tips_shown():
            r, g, b = s.screenshot("documents_tips.png").pixel(centre[0] - 180, centre[1] + 25)
            return (r, g, b) != WHITE and r > 200 and g > 200
        assert wait_until(tips_shown, timeout=20, step=0.5), "no tips box"
        s.key("Return")
        time.sleep(1.0)
        img = s.screenshot("documents_blank.png")
        assert img.pixel(*centre) == WHITE, f"no white canvas at the centre: {img.pixel(*centre)}"
        box = canvas_box(img, centre)
        assert (box[2] - box[0], box[3] - box[1]) == (600, 400), f"canvas is not 600 x 400: {box}"
        assert_framed(img, box)
        # the wallpaper shows around the window
        assert img.pixel(5, 5) not in (WHITE, BLACK)
        # save as through the system's Save dialog: ".vkd" is added to the name typed
        folder = os.path.join(s.tree, "e2e-docs")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        s.post(MAIN, WM_COMMAND, SAVE_AS)
        s.wait_window(DIALOG, 20000)
        time.sleep(0.5)
        s.type("Z:" + os.path.join(folder, "blank").replace("/", "\\"))
        s.key("Return")
        assert s.wait_gone(DIALOG, 10000), "the Save dialog did not close"
        saved = os.path.join(folder, "blank.vkd")
        assert wait_until(lambda: os.path.exists(saved), timeout=10), f"nothing saved: {os.listdir(folder)}"
        assert layer_count(saved) == 1
        # saved, so closing asks nothing
        s.post(MAIN, WM_CLOSE)
        assert s.wait_exit(proc, 30) == 0, "a saved picture did not let the program end"
        with open(os.path.join(s.stage, "TESSEL.INI")) as f:
            assert "DAILY_HINT_ON=1" in f.read().replace(" ", ""), "the tips box did not keep its setting"

        # 2. a .vkd on the command line: its layers in their places
        write_settings(s.stage, 0)
        path = os.path.join(folder, "Two Layers.VKD")
        write_vkd(path, 320, 200, [("Background", 0, 0, 320, 200, (200, 30, 30)),
                                   ("Square", 100, 50, 40, 40, (30, 30, 200))])
        proc = s.start("pintara6.exe", "Z:" + path.replace("/", "\\"))
        s.wait_window(MAIN, 30000)
        wait_until(lambda: s.screenshot("documents_opened.png").pixel(*centre)[0] > 150, timeout=20, step=0.5)
        img = s.screenshot("documents_opened.png")
        red = img.pixel(*centre)
        assert red[0] > 150 and red[2] < 80, f"the opened picture is not at the centre: {red}"
        box = canvas_box(img, (centre[0] + 100, centre[1] + 60))
        assert (box[2] - box[0], box[3] - box[1]) == (320, 200), f"opened canvas is not 320 x 200: {box}"
        assert_framed(img, box)
        blue = img.pixel(box[0] + 120, box[1] + 70)
        assert blue[2] > 150 and blue[0] < 80, f"the upper layer's square is missing: {blue}"
        assert img.pixel(box[0] + 99, box[1] + 70) == red, "the square is not at its place"

        # the Preferences dialog opens over the picture and Escape closes it without a change
        s.post(MAIN, WM_COMMAND, PREFERENCES)
        time.sleep(1.0)
        img = s.screenshot("documents_preferences.png")
        assert img.pixel(*centre) != red, "no Preferences dialog over the picture"
        s.key("Escape")
        time.sleep(1.0)
        img = s.screenshot("documents_preferences_closed.png")
        assert img.pixel(*centre) == red, "the Preferences dialog did not close"

        # at 400 % the picture no longer fits: the window fills the screen with a part of it, and the
        # hand (Space held) drags the picture 100 screen pixels = 25 picture pixels to the right
        for _ in range(4):
            s.post(MAIN, WM_COMMAND, ZOOM_IN)
        time.sleep(1.0)
        probe = (9 + 270, 28 + 244)   # picture (102, 70) with the view scrolled to (35, 9)
        img = s.screenshot("documents_zoomed.png")
        assert img.pixel(*probe)[2] > 150, f"the zoomed square is not where expected: {img.pixel(*probe)}"
        s.xdotool("keydown", "space")
        s.drag([(500, 400), (525, 400), (550, 400), (575, 400), (600, 400)])
        s.xdotool("keyup", "space")
        time.sleep(1.0)
        img = s.screenshot("documents_dragged.png")
        assert img.pixel(*probe) == red, f"the hand did not move the picture: {img.pixel(*probe)}"
        assert img.pixel(probe[0] + 100, probe[1])[2] > 150, "the square did not move with the hand"
        s.post(MAIN, WM_COMMAND, ZOOM_ACTUAL)
        time.sleep(1.0)

        # Alt held: a click on the square picks its blue as the foreground colour, kept at the end
        s.xdotool("keydown", "alt")
        s.click(box[0] + 120, box[1] + 70)
        s.xdotool("keyup", "alt")
        time.sleep(0.5)

        # 3. modified by a layer command, quit: Cancel keeps the program, No ends it
        yes, no, cancel = message_box_buttons(s, sw, sh)

        def question_shown():
            # the box's pale body beside its text, and its grey No button (the picture behind is
            # red and the wallpaper slate, so neither can pass for them)
            img = s.screenshot("documents_question.png")
            r, g, b = img.pixel(centre[0] - 150, centre[1] - 20)
            nr, ng, nb = img.pixel(no[0] - 30, no[1])
            return r > 200 and g > 200 and b > 180 and abs(nr - nb) < 40 and 60 < nr < 160
        s.post(MAIN, WM_COMMAND, NEW_LAYER)
        s.post(MAIN, WM_CLOSE)
        assert wait_until(question_shown, timeout=20, step=0.5), "no save question"
        s.key("Escape")
        time.sleep(1.0)
        assert proc.poll() is None and s.window_exists(MAIN), "Cancel did not keep the program running"
        img = s.screenshot("documents_cancelled.png")
        assert img.pixel(*centre) == red, "the picture is not shown again after Cancel"
        s.post(MAIN, WM_CLOSE)
        assert wait_until(question_shown, timeout=20, step=0.5), "no save question the second time"
        s.click(*no)
        assert s.wait_exit(proc, 30) == 0, "No did not end the program"
        assert layer_count(path) == 2, "No saved the picture"
        with open(os.path.join(s.stage, "TESSEL.INI")) as f:
            ini = f.read().replace(" ", "")
        # the colour value's low byte (blue) is stored under FColor_R
        for key, value in (("FColor_R", 200), ("FColor_G", 30), ("FColor_B", 30)):
            assert f"{key}={value}" in ini, f"the picked colour was not kept: {key} in\n{ini}"

        # 4. Yes saves a picture that has a file into that file (its name kept as it was) and ends
        proc = s.start("pintara6.exe", "Z:" + path.replace("/", "\\"))
        s.wait_window(MAIN, 30000)
        s.post(MAIN, WM_COMMAND, NEW_LAYER)
        s.post(MAIN, WM_CLOSE)
        assert wait_until(question_shown, timeout=20, step=0.5), "no save question before Yes"
        s.key("Return")
        assert s.wait_exit(proc, 30) == 0, "Yes did not end the program"
        assert layer_count(path) == 3, "the new layer was not saved"
        assert sorted(os.listdir(folder)) == ["Two Layers.VKD", "blank.vkd"], f"other files were left: {os.listdir(folder)}"
    print("ok")


if __name__ == "__main__":
    sys.exit(main())
