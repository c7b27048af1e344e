"""The updater end to end under Xvfb and Wine, against real servers on loopback.

nginx serves the update folder; a small server of our own answers with garbage, slowly.  The
program runs from a private copy of the program directory whose brisaloc.inf points the updater at
those servers.  Checked: "Check" enables "Upgrade" only for a byte-wise newer version, the status
text blinks while the worker runs, "Upgrade" downloads a real gcab cabinet and installs it with
SETUPAPI, the version and the registry stamp are recorded and shown at the next start, and a cut
cabinet or a garbage reply installs nothing.
"""
import os
import re
import shutil
import socket
import subprocess
import sys
import threading
import time

from harness import ROOT, SKIP, Session, parse_args, wait_until

MAIN = "title=Brisalo Demo Updater"
PROMPT = "title=Upgrading Brisalo"
CHECK, UPGRADE, EXIT = 1, 1002, 2
INSTALLED, LATEST, LAST_UPGRADE, STATUS = 1003, 1004, 1005, 1006
PROMPT_TEXT, PROGRESS = 1001, 1000
PACKAGE_STAGE = os.path.join(ROOT, "tests", "updater", "package_stage")
BLINK = "Communicating with server..."


# -- servers -------------------------------------------------------------------------------------
def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Nginx:
    """Debian's nginx serving `root` on a loopback port, in the foreground, as one process."""

    def __init__(self, root, work):
        self.proc = None
        os.makedirs(os.path.join(work, "logs"), exist_ok=True)
        for _ in range(3):  # the free port may be taken before nginx binds it
            self.port = free_port()
            conf = os.path.join(work, "nginx.conf")
            temps = "".join(f"    {t}_temp_path {work}/tmp;\n"
                            for t in ("client_body", "proxy", "fastcgi", "uwsgi", "scgi"))
            with open(conf, "w") as f:
                f.write(f"daemon off;\nmaster_process off;\nworker_processes 1;\n"
                        f"error_log {work}/logs/error.log;\npid {work}/nginx.pid;\n"
                        f"events {{ worker_connections 16; }}\nhttp {{\n    access_log off;\n{temps}"
                        f"    server {{\n        listen 127.0.0.1:{self.port};\n        root {root};\n    }}\n}}\n")
            self.proc = subprocess.Popen(["nginx", "-p", work, "-c", conf], stdin=subprocess.DEVNULL,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if wait_until(lambda: self.proc.poll() is not None or accepts(self.port), 10):
                if self.proc.poll() is None:
                    return
        raise AssertionError("nginx did not start")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)


def accepts(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1):
            return True
    except OSError:
        return False


class GarbageServer:
    """Answers every request, after `delay` seconds, with bytes that are no INF and no cabinet."""

    def __init__(self, delay):
        self.delay = delay
        self.sock = socket.socket()
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(4)
        self.sock.settimeout(0.2)
        self.port = self.sock.getsockname()[1]
        self.requests = []
        self.done = threading.Event()
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def _serve(self):
        end = time.time() + 240  # never outlives the test
        while not self.done.is_set() and time.time() < end:
            try:
                conn, _ = self.sock.accept()
            except socket.timeout:
                continue
            with conn:
                conn.settimeout(5)
                line = b""
                try:
                    while not line.endswith(b"\n") and len(line) < 200:
                        b = conn.recv(1)
                        if not b:
                            break
                        line += b
                    self.requests.append(line)
                    time.sleep(self.delay)
                    conn.sendall(bytes((i * 37 + 11) % 256 for i in range(7000)))
                except OSError:
                    pass

    def stop(self):
        self.done.set()
        self.thread.join(5)
        self.sock.close()


# -- the program directory and its settings ------------------------------------------------------
def set_ini(path, values):
    """Sets {(section, key): value} in an INI-style file, keeping every other line."""
    lines = open(path, encoding="latin-1").read().splitlines() if os.path.exists(path) else []
    for (section, key), value in values.items():
        start = next((i for i, l in enumerate(lines) if l.strip().lower() == f"[{section.lower()}]"), None)
        if start is None:
            lines += ["", f"[{section}]", f"{key}={value}"]
            continue
        end = next((i for i in range(start + 1, len(lines)) if lines[i].strip().startswith("[")), len(lines))
        at = next((i for i in range(start + 1, end) if lines[i].split("=", 1)[0].strip().lower() == key.lower()), None)
        if at is None:
            lines.insert(start + 1, f"{key}={value}")
        else:
            lines[at] = f"{key}={value}"
    with open(path, "w", encoding="latin-1", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def read_ini(path, section, key):
    current = None
    for line in open(path, encoding="latin-1").read().splitlines():
        s = line.strip()
        if s.startswith("["):
            current = s[1:-1].lower()
        elif current == section.lower() and "=" in s and s.split("=", 1)[0].strip().lower() == key.lower():
            return s.split("=", 1)[1].strip()
    return None


def make_package(version, out, cut=False):
    subprocess.run([sys.executable, os.path.join(ROOT, "updater", "make_update_package.py"),
                    "--stage", PACKAGE_STAGE, "--version", version, "--out", out], check=True)
    if cut:
        cab = os.path.join(out, "data.cab")
        data = open(cab, "rb").read()
        open(cab, "wb").write(data[:len(data) * 2 // 3])


def publish_announcement(folder, version):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "upgrade.inf"), "w", newline="\r\n") as f:
        f.write(f"[Version]\nSignature=\"$Chicago$\"\nNo={version}\n")


# -- driving the dialogs -------------------------------------------------------------------------
class Updater:
    def __init__(self, session, prog):
        self.s = session
        self.prog = prog
        self.proc = None

    def start(self):
        self.proc = self.s.start(os.path.join(self.prog, "updater.exe"), cwd=self.prog, name="updater")
        self.s.wait_window(MAIN, 30000)
        wait_until(lambda: self.item(INSTALLED) is not None, 10)

    def item(self, ident, window=MAIN):
        rc, out = self.s.wintool("item", window, ident)
        if rc != 0:
            return None
        parts = out.split(" ", 5)
        return {"enabled": parts[0] == "1", "rect": tuple(map(int, parts[1:5])),
                "text": parts[5] if len(parts) > 5 else ""}

    def text(self, ident, window=MAIN):
        return self.item(ident, window)["text"]

    def enabled(self, ident, window=MAIN):
        return self.item(ident, window)["enabled"]

    def click(self, ident, window=MAIN):
        l, t, r, b = self.item(ident, window)["rect"]
        self.s.click((l + r) // 2, (t + b) // 2)

    def check(self, watch_blink=False):
        """Presses "Check" and waits for the worker to report back; returns the status texts seen."""
        self.click(CHECK)
        seen = []
        if watch_blink:  # a slow server keeps the worker busy for seconds
            assert wait_until(lambda: not self.enabled(CHECK), 5), "Check stays enabled while busy"
            assert not self.enabled(UPGRADE), "Upgrade enabled while busy"
        else:
            time.sleep(1.0)
        end = time.time() + 60
        while time.time() < end:
            item = self.item(STATUS)
            if self.enabled(CHECK):
                break
            seen.append(item["text"])
            if not watch_blink:
                time.sleep(0.2)
        assert self.text(STATUS) == "", "status text left after the check"
        return seen

    def exit(self):
        self.click(EXIT)
        assert self.s.wait_gone(MAIN, 15000), "Exit did not close the updater"
        assert self.s.wait_exit(self.proc, 15) is not None, "updater.exe still running after Exit"


def registry_stamp(s):
    r = subprocess.run([s.wine, "reg", "query", r"HKCU\Software\OVANTEW\Brisalo6\UPDATE"], env=s.env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    values = dict(re.findall(r"^\s*(00[12])\s+REG_SZ\s+(.*?)\s*$", r.stdout.decode(errors="replace"), re.M))
    return values.get("001"), values.get("002")


def main():
    args = parse_args()
    tree = os.path.abspath(args.tree)
    stage = os.path.join(tree, "Brisalo6")
    for need in ("updater.exe", "netfetch.dll"):
        if not os.path.exists(os.path.join(stage, need)):
            print(f"{need} is not built in {stage}", file=sys.stderr)
            return SKIP
    work = os.path.join(tree, "e2e-updater")
    shutil.rmtree(work, ignore_errors=True)
    prog = os.path.join(work, "Brisalo6")
    www = os.path.join(work, "www")
    published = os.path.join(www, "upgrade", "brisalo6demo")
    os.makedirs(prog)
    os.makedirs(published)
    for name in ("updater.exe", "netfetch.dll"):
        shutil.copy(os.path.join(stage, name), prog)
    inf = os.path.join(prog, "brisaloc.inf")
    if os.path.exists(os.path.join(stage, "brisaloc.inf")):
        shutil.copy(os.path.join(stage, "brisaloc.inf"), inf)

    nginx = Nginx(www, os.path.join(work, "nginx"))
    garbage = GarbageServer(delay=8.0)  # long enough to sample the blinking however slow wintool runs
    real = f"http://127.0.0.1:{nginx.port}/upgrade/brisalo6demo/"
    try:
        with Session(args) as s:
            subprocess.run([s.wine, "reg", "delete", r"HKCU\Software\OVANTEW\Brisalo6\UPDATE", "/f"], env=s.env,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            u = Updater(s, prog)

            # 1. "Check": byte-wise comparison of the installed and the published version
            for installed, latest, newer in [("2.0.1", "2.0.10", True), ("1.9", "1.10", False),
                                             ("6.0", "6.0", False)]:
                set_ini(inf, {("version", "No"): installed, ("Updater", "Directory"): real})
                shutil.rmtree(os.path.join(prog, "update"), ignore_errors=True)
                publish_announcement(published, latest)
                u.start()
                assert u.text(INSTALLED) == installed and u.text(LATEST) == ""
                assert u.text(LAST_UPGRADE) == "Never", u.text(LAST_UPGRADE)
                assert not u.enabled(UPGRADE)
                u.check()
                assert u.text(LATEST) == latest, (latest, u.text(LATEST))
                assert u.enabled(UPGRADE) == newer, f"{installed} -> {latest}: Upgrade enabled {u.enabled(UPGRADE)}"
                assert os.path.exists(os.path.join(prog, "update", "upgrade.inf"))
                assert not os.path.exists(os.path.join(prog, "upgrade.inf")), "download not moved into update\\"
                u.exit()
            print("check: byte-wise versions ok")

            # 2. a slow server answering garbage: the status blinks while busy, no update follows
            set_ini(inf, {("version", "No"): "6.0", ("Updater", "Directory"): f"http://127.0.0.1:{garbage.port}/upgrade/brisalo6demo/"})
            shutil.rmtree(os.path.join(prog, "update"), ignore_errors=True)
            u.start()
            seen = u.check(watch_blink=True)
            assert BLINK in seen and "" in seen, f"status did not blink: {seen}"
            assert set(seen) <= {BLINK, ""}, seen
            assert u.text(LATEST) == "" and not u.enabled(UPGRADE)
            assert garbage.requests and garbage.requests[-1] == b"GET http://127.0.0.1:%d/upgrade/brisalo6demo/upgrade.inf\n" % garbage.port, garbage.requests
            u.exit()
            print("check: blinking status, garbage reply ignored")

            # 3. "Upgrade": download, prompt, SETUPAPI installation, record of version and time
            set_ini(inf, {("version", "No"): "6.0", ("Updater", "Directory"): real})
            make_package("6.0.1", published)
            with open(os.path.join(prog, "pintara6.txt"), "w") as f:
                f.write("old program\n")
            u.start()
            u.check()
            assert u.enabled(UPGRADE)
            u.click(UPGRADE)
            s.wait_window(PROMPT, 30000)
            assert u.text(PROMPT_TEXT, PROMPT).startswith("An newer update patch has been downloaded."), u.text(PROMPT_TEXT, PROMPT)
            assert u.enabled(CHECK) and not u.enabled(UPGRADE)
            assert open(os.path.join(prog, "update", "data.cab"), "rb").read() == open(os.path.join(published, "data.cab"), "rb").read()
            u.click(1, PROMPT)
            assert s.wait_gone(PROMPT, 30000), "prompt still open after installing"
            for rel in ("pintara6.txt", os.path.join("res", "tools", "skin.txt"), os.path.join("res", "tools", "pintara6.txt")):
                got = open(os.path.join(prog, rel), "rb").read()
                assert got == open(os.path.join(PACKAGE_STAGE, rel), "rb").read(), f"{rel} not installed"
            assert read_ini(inf, "version", "No") == "6.0.1"
            assert not os.path.exists(os.path.join(prog, "update", "data.cab"))
            assert not os.path.exists(os.path.join(prog, "update", "upgrade.inf"))
            date, clock = registry_stamp(s)
            assert date and re.fullmatch(r"\d\d/\d\d/\d\d", date), date
            assert clock and re.fullmatch(r"\d\d:\d\d:\d\d", clock), clock
            u.exit()
            # the next start shows date, two spaces, time
            u.start()
            assert u.text(LAST_UPGRADE) == f"{date}  {clock}", u.text(LAST_UPGRADE)
            assert u.text(INSTALLED) == "6.0.1" and not u.enabled(UPGRADE)
            u.exit()
            print(f"upgrade: installed 6.0.1 at {date}  {clock}")

            # 4. a cabinet cut short by the server: the prompt comes, nothing is installed
            make_package("6.0.2", published, cut=True)
            os.remove(os.path.join(prog, "res", "tools", "skin.txt"))
            u.start()
            u.check()
            assert u.enabled(UPGRADE)
            u.click(UPGRADE)
            s.wait_window(PROMPT, 30000)
            u.click(1, PROMPT)
            assert s.wait_gone(PROMPT, 30000)
            assert read_ini(inf, "version", "No") == "6.0.1"
            assert not os.path.exists(os.path.join(prog, "res", "tools", "skin.txt")), "cut cabinet installed files"
            assert os.path.exists(os.path.join(prog, "update", "data.cab")), "pending package removed after a failure"
            assert registry_stamp(s) == (date, clock)
            u.exit()
            print("upgrade: cut cabinet refused")
    finally:
        garbage.stop()
        nginx.stop()
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
