"""Start-up of the painting program under Wine: the command-line rules, the splash ended early by a
key, a damaged installation reported in the program's own message box, and a clean close."""
import os
import shutil
import sys
import tempfile
import time

from harness import Session, parse_args

MAIN = "990717WClass"
SPLASH = "AVIWClass"
WM_CLOSE = 0x0010


def start_and_close(s, *args):
    proc = s.start("pintara6.exe", *args)
    s.wait_window(MAIN, 30000)
    assert s.wait_gone(SPLASH, 5000), "splash still up after the main window appeared"
    s.post(MAIN, WM_CLOSE)
    assert s.wait_exit(proc, 30) == 0, "program did not end after WM_CLOSE"


def main():
    args = parse_args()
    with Session(args) as s:
        # a file that does not exist: the program ends at once, no window, no message
        proc = s.start("pintara6.exe", "C:\\no\\such\\picture.vkd")
        assert s.wait_exit(proc, 30) == 0, "start with a missing file did not end"
        assert not s.window_exists(SPLASH) and not s.window_exists(MAIN)

        # only switches: a normal start
        start_and_close(s, "/s", "/quiet")

        # a key press ends the splash before its two seconds
        proc = s.start("pintara6.exe")
        s.wait_window(SPLASH, 30000)
        seen = time.time()
        s.key("space")
        s.wait_window(MAIN, 30000)
        early = time.time() - seen
        assert early < 1.9, f"the splash stayed {early:.2f} s after a key press"
        time.sleep(1.0)
        img = s.screenshot("shell_start.png")
        assert img.distinct_colours(step=16) > 4, "the wallpaper is missing"
        s.post(MAIN, WM_CLOSE)
        assert s.wait_exit(proc, 30) == 0

        # a damaged installation: the warning comes in the skinned box, and OK ends the program
        broken = tempfile.mkdtemp(prefix="brisalo-broken-", dir=s.tree)
        try:
            copy = os.path.join(broken, "Brisalo6")
            shutil.copytree(s.stage, copy)
            os.remove(os.path.join(copy, "res", "tools", "barmid.img"))
            proc = s.start(os.path.join(copy, "pintara6.exe"), cwd=copy, name="pintara6-broken")
            _, rect = s.wait_window(MAIN, 30000)
            time.sleep(2.0)
            img = s.screenshot("shell_damaged.png")
            cx, cy = (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2
            # the box's paper body lies at the centre, its slate title strip above it
            r, g, b = img.pixel(cx - 150, cy - 20)
            assert r > 200 and g > 200 and b > 180, f"no message box at the centre: {(r, g, b)}"
            r, g, b = img.pixel(cx, cy - 85)
            assert r < 90 and b < 110, f"no title strip: {(r, g, b)}"
            assert s.window_exists(MAIN), "the program ended before the warning was answered"
            s.key("Return")
            assert s.wait_exit(proc, 30) == 0, "the program did not end after the warning"
        finally:
            shutil.rmtree(broken, ignore_errors=True)
    print("ok")


if __name__ == "__main__":
    sys.exit(main())
