"""A refresh waits at most three seconds for the screen mutex: while another process holds
"refresh_screen_event" for longer, the copy is skipped and the program stays responsive."""
import os
import subprocess
import sys
import time

from harness import Session, parse_args

MAIN = "990717WClass"
WM_NULL = 0x0000
WM_CLOSE = 0x0010
REFRESH_BOXES = 0x0400 + 112  # redraws and copies the whole screen


def main():
    args = parse_args()
    with Session(args) as s:
        proc = s.start("pintara6.exe")
        s.wait_window(MAIN, 30000)
        time.sleep(1.0)

        # unhindered, a refresh is quick
        start = time.time()
        s.post(MAIN, REFRESH_BOXES)
        s.send(MAIN, WM_NULL)
        quick = time.time() - start

        holder = subprocess.Popen([s.wine, os.path.join(s.tree, "bin", "hold_screen_lock.exe"), "12000"],
                                  env=s.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, start_new_session=True)
        s.procs.append(holder)
        assert holder.stdout.readline().strip() == b"held", "the helper could not take the mutex"
        start = time.time()
        s.post(MAIN, REFRESH_BOXES)
        s.send(MAIN, WM_NULL)  # answered only once the refresh is over
        blocked = time.time() - start
        assert blocked >= 2.9, f"the refresh did not wait for the mutex ({blocked:.1f} s)"
        assert blocked < 9.0, f"the refresh waited for the other process ({blocked:.1f} s)"
        assert holder.poll() is None, "the helper let go too early for the test to mean anything"

        s.post(MAIN, WM_CLOSE)
        assert s.wait_exit(proc, 30) == 0
    print(f"ok (unhindered {quick:.1f} s, with the mutex held {blocked:.1f} s)")


if __name__ == "__main__":
    sys.exit(main())
