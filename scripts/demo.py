"""Headless demonstration: starts the program under Xvfb and Wine, waits for the main window, saves a
screenshot and ends the program again.  Used by ./run.sh on machines without a display."""
import argparse
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import Session  # noqa: E402


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--tree", required=True)
    p.add_argument("--arch", default="64")
    p.add_argument("--size", default="1024x768")
    p.add_argument("--out", default="out/screenshot.png")
    p.add_argument("args", nargs="*")
    a = p.parse_args()
    a.keep = None
    with Session(a) as s:
        s.start("pintara6.exe", *a.args)
        s.wait_window("990717WClass", 60000)
        time.sleep(2)
        shot = s.screenshot("demo.png")
        os.makedirs(os.path.dirname(os.path.abspath(a.out)), exist_ok=True)
        shutil.copy(shot.path, a.out)
        s.post("990717WClass", 0x0010)  # WM_CLOSE
        s.wait_gone("990717WClass", 10000)
    print(f"screenshot saved to {a.out}")


if __name__ == "__main__":
    main()
