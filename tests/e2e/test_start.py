"""The program starts under Wine: splash, then the full-screen main window showing the wallpaper."""
import sys
import time

from harness import Session, parse_args


def main():
    args = parse_args()
    with Session(args) as s:
        s.start("pintara6.exe")
        s.wait_window("AVIWClass", 30000)
        hwnd, rect = s.wait_window("990717WClass", 30000)
        assert rect[2] - rect[0] >= 1024 and rect[3] - rect[1] >= 768, f"main window not full screen: {rect}"
        assert s.wait_gone("AVIWClass", 5000), "splash still up after the main window appeared"
        assert s.title("990717WClass") == "Brisalo 6"
        time.sleep(0.5)
        img = s.screenshot("start.png")
        # the wallpaper fills the screen: not one flat colour
        assert img.distinct_colours(step=16) > 4, "screen looks empty"
        # WM_CLOSE ends the program
        s.post("990717WClass", 0x0010)
        assert s.wait_gone("990717WClass", 20000), "main window did not close"
    print("ok")


if __name__ == "__main__":
    sys.exit(main())
