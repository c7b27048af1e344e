"""End-to-end harness: runs one of our Windows programs under Xvfb and Wine and drives it.

    with Session(args) as s:              # args from parse_args(): --tree BUILD_TREE --arch 32|64
        s.start("pintara6.exe")
        hwnd, rect = s.wait_window("990717WClass")
        img = s.screenshot("out.png")     # an Image: img.pixel(x, y) -> (r, g, b)
        s.click(100, 100); s.key("Escape")
        s.send("990717WClass", 0x0010)    # window messages through wintool.exe
    # every process the session started is gone here, whatever happened

Each session has its own X display and the Wine prefix of its build tree (made once), whose
wineserver is shut down at the end, so no Wine process outlives a test.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SKIP = 77
_cleared_log_dirs = set()


def parse_args(argv=None):
    p = argparse.ArgumentParser()
    p.add_argument("--tree", required=True, help="the build tree holding Brisalo6/ and bin/")
    p.add_argument("--arch", default="64")
    p.add_argument("--size", default="1024x768")
    p.add_argument("--keep", help="folder to copy screenshots into")
    return p.parse_args(argv)


class Image:
    """A screenshot as raw RGB, read through ImageMagick."""

    def __init__(self, path):
        self.path = path
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                             stdout=subprocess.PIPE).stdout
        # P6\n W H\n 255\n data
        parts = ppm.split(maxsplit=4)
        self.width, self.height = int(parts[1]), int(parts[2])
        self.data = parts[4]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, predicate, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if predicate(self.pixel(x, y)))

    def distinct_colours(self, step=4):
        return len({self.pixel(x, y) for y in range(0, self.height, step) for x in range(0, self.width, step)})


class Session:
    def __init__(self, args, size=None, log_dir=None):
        self.tree = os.path.abspath(args.tree)
        self.arch = str(args.arch)
        self.size = size or args.size
        self.keep = args.keep
        self.stage = os.path.join(self.tree, "Brisalo6")
        self.wintool_exe = os.path.join(self.tree, "bin", "wintool.exe")
        # each test script keeps the logs and screenshots of its last run in a folder of its own
        script = os.path.splitext(os.path.basename(sys.argv[0]))[0] or "session"
        self.log_dir = log_dir or os.path.join(self.tree, "e2e-logs", script)
        if self.log_dir not in _cleared_log_dirs:
            shutil.rmtree(self.log_dir, ignore_errors=True)
            _cleared_log_dirs.add(self.log_dir)
        os.makedirs(self.log_dir, exist_ok=True)
        self.procs = []
        self.xvfb = None
        self.env = dict(os.environ)
        self.env["BRISALO_WINE_ARCH"] = self.arch
        # one GUI prefix per build tree, so sessions of different trees never stop each other's Wine
        self.env["BRISALO_WINEPREFIX"] = os.path.join(
            ROOT, "build", f"wineprefix{self.arch}-gui-{os.path.basename(self.tree)}")
        self.env.setdefault("WINEDEBUG", "-all")
        self._wine_env()

    # -- set-up and clean-up -------------------------------------------------------------------
    def _wine_env(self):
        out = subprocess.run(
            ["bash", "-c", f"source '{ROOT}/scripts/wine-env.sh' && env -0"],
            env=self.env, check=True, stdout=subprocess.PIPE).stdout
        for item in out.split(b"\0"):
            if b"=" in item:
                k, v = item.split(b"=", 1)
                self.env[k.decode()] = v.decode()
        self.wine = "/usr/lib/wine/wine" if self.arch == "32" else "/usr/lib/wine/wine64"
        self.wineserver = self.env.get("WINESERVER", "wineserver")

    def __enter__(self):
        for tool in ("Xvfb", "xdotool", "convert", "import"):
            if not shutil.which(tool):
                print(f"missing {tool}", file=sys.stderr)
                sys.exit(SKIP)
        # The first window of a fresh Wine server brings up Wine's desktop for the display. Doing
        # that here, before the program under test starts, keeps the desktop's start-up out of the
        # program's own first window, and a desktop without a working display driver is caught
        # here (both the X server and Wine are then started over) instead of as a missing window.
        self.env["BRISALO_WINE_LOG"] = os.path.join(self.log_dir, "wine-services.log")
        for attempt in range(4):
            self._start_xvfb(attempt)
            subprocess.run(["bash", "-c", f"source '{ROOT}/scripts/wine-env.sh' && brisalo_wine_up"],
                           env=self.env, check=True)
            if self.wintool("desktop")[0] == 0:
                return self
            self._wine_down()
            self._stop_xvfb()
            time.sleep(1)
        raise RuntimeError("Wine's desktop did not come up on a new X server in 4 attempts")

    def _start_xvfb(self, attempt):
        r, w = os.pipe()
        with open(os.path.join(self.log_dir, f"xvfb-{attempt + 1}.log"), "wb") as log:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(w), "-screen", "0", f"{self.size}x24", "-nolisten", "tcp",
                 "-ac", "+extension", "RANDR"], pass_fds=(w,), stdout=log, stderr=log,
                start_new_session=True)
        os.close(w)
        # Xvfb writes the number and its newline separately, and ends with a fatal error when the
        # pipe is closed between the two: read up to the newline before closing.
        got = b""
        while not got.endswith(b"\n"):
            chunk = os.read(r, 64)
            if not chunk:
                break
            got += chunk
        os.close(r)
        if not got.endswith(b"\n") or self.xvfb.poll() is not None:
            raise RuntimeError("Xvfb did not start: see " + log.name)
        self.env["DISPLAY"] = ":" + got.decode().strip()

    def _stop_xvfb(self):
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        self.xvfb = None

    def _wine_down(self):
        subprocess.run([self.wineserver, "-k"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([self.wineserver, "-w"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        for p in self.procs:
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        self._wine_down()
        for p in self.procs:
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self.procs = []
        self._stop_xvfb()

    # -- programs ------------------------------------------------------------------------------
    def start(self, exe, *args, cwd=None, name=None):
        """Starts a program of the staged folder (or a path) with arguments; returns the Popen."""
        path = exe if os.path.isabs(exe) else os.path.join(self.stage, exe)
        base = os.path.join(self.log_dir, name or os.path.basename(exe))
        path_log, n = base + ".log", 1
        while os.path.exists(path_log) and n < 100:  # every start keeps its own output
            n += 1
            path_log = f"{base}-{n}.log"
        log = open(path_log, "wb")
        p = subprocess.Popen([self.wine, path, *args], env=self.env, cwd=cwd or self.stage,
                             stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                             start_new_session=True)
        self.procs.append(p)
        self.last_start = (p, [self.wine, path, *args], log, time.time())
        return p

    def wintool(self, *args, timeout=60):
        with open(os.path.join(self.log_dir, "wintool.log"), "ab") as log:
            log.write(f"--- {time.strftime('%H:%M:%S')} wintool {' '.join(map(str, args))}\n".encode())
            log.flush()
            r = subprocess.run([self.wine, self.wintool_exe, *map(str, args)], env=self.env,
                               stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log, timeout=timeout)
            log.write(f"rc {r.returncode}: {r.stdout[:200]!r}\n".encode())
        return r.returncode, r.stdout.decode(errors="replace").strip()

    def wait_window(self, cls, timeout_ms=30000):
        """Waits for a visible window of the class; returns (hwnd, (left, top, right, bottom))."""
        deadline = time.time() + timeout_ms / 1000
        while True:
            rc, out = self.wintool("wait", cls, 2000)
            if rc == 0 and len(out.split()) == 5:
                f = out.split()
                return f[0], tuple(int(v) for v in f[1:5])
            if time.time() > deadline:
                raise AssertionError(f"no window of class {cls} within {timeout_ms} ms\n" + self.diagnosis())

    def diagnosis(self):
        """What the harness can tell about a program that did not do what a test waited for."""
        lines = []
        last = getattr(self, "last_start", None)
        if last:
            proc, cmd, log, started = last
            rc = proc.poll()
            state = "still running" if rc is None else f"ended with {rc}"
            lines.append(f"last program: {' '.join(cmd[1:])}, {state}, started {time.time() - started:.1f} s ago")
            try:
                log.flush()
                with open(log.name, "rb") as f:
                    tail = f.read()[-3000:].decode(errors="replace")
                if tail.strip():
                    lines.append("its output:\n" + tail)
            except OSError:
                pass
        try:
            rc, out = self.wintool("list", timeout=30)
            lines.append("top-level windows (handle pid visible class title):\n" + out)
        except subprocess.TimeoutExpired:
            lines.append("listing the windows timed out")
        return "\n".join(lines)

    def window_exists(self, cls):
        return self.wintool("gone", cls, 0)[0] != 0

    def wait_gone(self, cls, timeout_ms=30000):
        return self.wintool("gone", cls, timeout_ms, timeout=timeout_ms / 1000 + 30)[0] == 0

    def send(self, cls, msg, wparam=0, lparam=0):
        rc, out = self.wintool("send", cls, msg, wparam, lparam)
        return int(out) if rc == 0 and out else None

    def post(self, cls, msg, wparam=0, lparam=0):
        return self.wintool("post", cls, msg, wparam, lparam)[0] == 0

    def title(self, cls):
        rc, out = self.wintool("title", cls)
        return out if rc == 0 else None

    # -- the screen and input ------------------------------------------------------------------
    def screenshot(self, name="screen.png"):
        path = name if os.path.isabs(name) else os.path.join(self.log_dir, name)
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", path], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.keep:
            os.makedirs(self.keep, exist_ok=True)
            shutil.copy(path, self.keep)
        return Image(path)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "click", button)

    def drag(self, points, button=1, pause=0.02):
        (x, y), rest = points[0], points[1:]
        self.xdotool("mousemove", x, y, "mousedown", button)
        for x, y in rest:
            time.sleep(pause)
            self.xdotool("mousemove", x, y)
        self.xdotool("mouseup", button)

    def key(self, *names):
        self.xdotool("key", *names)

    def type(self, text):
        self.xdotool("type", text)

    def wait_exit(self, proc, timeout=30):
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None


def wait_until(predicate, timeout=10.0, step=0.1):
    end = time.time() + timeout
    while time.time() < end:
        v = predicate()
        if v:
            return v
        time.sleep(step)
    return predicate()
