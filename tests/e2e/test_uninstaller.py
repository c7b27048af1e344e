"""The uninstaller under Wine: its picture window, "Cancel" and Escape leave everything in place,
Enter ("Yes") runs DefaultUninstall of brisaloc.inf, removes the emptied folders, keeps a folder
holding a user's file and schedules itself and its folder for deletion at restart."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

from harness import Image, Session, parse_args, wait_until

W, H = 270, 180
CLS = "upfwos"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisalo6"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"


def wine(s, *args, check=True):
    """Runs a Wine command and returns its output.  The output goes through a file, not a pipe:
    Wine services started on the way inherit the handles and would hold a pipe open."""
    with tempfile.TemporaryFile() as out:
        r = subprocess.run([s.wine, *args], env=s.env, stdin=subprocess.DEVNULL, stdout=out,
                           stderr=subprocess.DEVNULL, timeout=120)
        out.seek(0)
        text = out.read().decode(errors="replace")
    if check and r.returncode != 0:
        raise AssertionError(f"wine {' '.join(args)} failed")
    return text


def key_exists(s, key):
    return subprocess.run([s.wine, "reg", "query", key], env=s.env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120).returncode == 0


class Install:
    """A copy of the staged program folder in C:\\Program Files of the session's prefix, with what
    the programs and an installation leave in the registry, the start menu and the system folder."""

    REG = [
        (r"HKCR\.vkd", None, "Vesk_DOC"),
        (r"HKCR\Vesk_DOC\Shell\Open\Command", None, '"C:\\Program Files\\Brisalo6\\pintara6.exe" "%1"'),
        (r"HKCR\.tur", None, "Vesk_TUR_DOC"),
        (r"HKCR\Vesk_TUR_DOC", None, "Vesk Tutorial Document"),
        (r"HKCU\Software\OVANTEW\Brisalo6\UPDATE", "001", "01/02/26"),
        (UNINSTALL_KEY, "DisplayName", "Brisalo 6"),
    ]

    def __init__(self, s, stage, folder="Brisalo6"):
        self.s = s
        drive_c = os.path.join(s.env["WINEPREFIX"], "drive_c")
        self.dir = os.path.join(drive_c, "Program Files", folder)
        self.win_dir = "C:\\Program Files\\" + folder.replace("/", "\\")
        shutil.rmtree(self.dir, ignore_errors=True)
        shutil.copytree(stage, self.dir)
        # written by the programs while they run
        for rel in ("TESSEL.INI", "MRUSYS.DAT", "update/upgrade.inf", "layout/wallpaper.bmp"):
            self.put(rel)
        os.makedirs(os.path.join(self.dir, "glib", "tutor"))          # emptied folder of our own
        self.put("my pictures/cat.vkd")                               # the user's file
        self.system = os.path.join(drive_c, "windows", "system32", "OVANTE.SYS")
        with open(self.system, "w") as f:
            f.write("[Ovante]\n")
        self.shortcuts = [os.path.join(drive_c, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                                       "Brisalo 6.lnk")]
        self.shortcuts += [os.path.join(p, "Uninstall Brisalo 6.lnk") for p in glob.glob(
            os.path.join(drive_c, "users", "*", "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                         "Programs")) if "/Public/" not in p]
        for p in self.shortcuts:
            os.makedirs(os.path.dirname(p), exist_ok=True)
            with open(p, "wb") as f:
                f.write(b"L\0\0\0")
        for key, name, data in self.REG:
            wine(s, "reg", "add", key, *(["/v", name] if name else ["/ve"]), "/d", data, "/f")
        self.before = self.snapshot()

    def put(self, rel):
        path = os.path.join(self.dir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write("x")

    def snapshot(self):
        files = sorted(os.path.relpath(os.path.join(r, n), self.dir)
                       for r, ds, fs in os.walk(self.dir) for n in fs + ds)
        return (files, [os.path.exists(p) for p in self.shortcuts + [self.system]],
                [key_exists(self.s, k) for k, _, _ in self.REG])

    def unchanged(self):
        return self.snapshot() == self.before


def restart(s):
    """A restart as Wine has it: a fresh wineserver, whose first process runs wineboot, which
    carries out the pending delayed moves."""
    for flag in ("-k", "-w"):
        subprocess.run([s.wineserver, flag], env=s.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
    wine(s, "reg", "query", r"HKCU\Software")


def pending_moves(s):
    """The delayed moves Wine records: source, destination pairs in call order."""
    out = wine(s, "reg", "query", SESSION_MANAGER, "/v", "PendingFileRenameOperations", check=False)
    for line in out.splitlines():
        if "PendingFileRenameOperations" in line and "REG_MULTI_SZ" in line:
            return line.split("REG_MULTI_SZ", 1)[1].strip().split("\\0")
    return []


def find_picture(s, rect, bmp):
    """Where the window shows the picture (the client origin), or None."""
    shot = s.screenshot("uninstaller.png")
    samples = [(x, y) for y in range(4, 140, 9) for x in range(3, W - 3, 11)]
    want = [bmp.pixel(x, y) for x, y in samples]
    for dy in range(0, 40):
        for dx in range(0, 12):
            ox, oy = rect[0] + dx, rect[1] + dy
            if ox + W > shot.width or oy + H > shot.height:
                continue
            hits = sum(shot.pixel(ox + x, oy + y) == c for (x, y), c in zip(samples, want))
            if hits >= 0.97 * len(samples):
                # the whole picture shows: its bottom row too
                bottom = [(x, H - 1) for x in range(0, W, 7)]
                shown = sum(shot.pixel(ox + x, oy + y) == bmp.pixel(x, y) for x, y in bottom)
                assert shown >= 0.9 * len(bottom), "the window cuts off the bottom of the picture"
                return ox, oy
    return None


class DisplayDown(Exception):
    """Wine's display driver did not come up in this session (an occasional fault of a fresh
    Wine session under Xvfb): the program could not create any window."""


def run_once(s, inst, name):
    proc = s.start(os.path.join(inst.dir, "uninstaller.exe"), cwd=inst.dir, name=name)
    try:
        hwnd, rect = s.wait_window(CLS, 30000)
    except AssertionError:
        if proc.poll() is not None and "nodrv_CreateWindow" in open(os.path.join(s.log_dir, name + ".log")).read():
            raise DisplayDown()
        raise
    time.sleep(0.5)
    return proc, rect


def main():
    args = parse_args()
    for attempt in range(3):
        try:
            return run(args)
        except DisplayDown:
            print(f"Wine's display driver did not start (attempt {attempt + 1}); new session", file=sys.stderr)
    raise AssertionError("Wine's display driver never started")


def run(args):
    with Session(args) as s:
        # the display driver's complaint is how a failed session is recognised
        s.env["WINEDEBUG"] = "-all,err+winediag"
        stage = os.path.join(s.tree, "Brisalo6")
        bmp = Image(os.path.join(s.tree, "uninstaller", "art", "question.bmp"))
        assert (bmp.width, bmp.height) == (W, H)
        # moves left pending by an earlier run would delete the new copy at the first Wine start
        wine(s, "reg", "query", r"HKCU\Software")
        inst = Install(s, stage)

        # Escape: the window shows the picture, then closes and nothing changes
        proc, rect = run_once(s, inst, "uninstaller-escape")
        assert s.title(CLS) == "Uninstall Brisalo"
        origin = find_picture(s, rect, bmp)
        assert origin, f"the picture is not in the window at {rect}"
        s.key("Escape")
        assert s.wait_exit(proc, 20) == 0, "Escape did not close the uninstaller"
        assert inst.unchanged(), "Escape changed something"

        # Cancel button
        proc, rect = run_once(s, inst, "uninstaller-cancel")
        origin = find_picture(s, rect, bmp)
        s.click(origin[0] + W - 80 + 30, origin[1] + H - 30 + 11)
        assert s.wait_exit(proc, 20) == 0, "Cancel did not close the uninstaller"
        assert inst.unchanged(), "Cancel changed something"

        # Enter: the real removal
        moves_before = pending_moves(s)
        proc, rect = run_once(s, inst, "uninstaller-yes")
        s.key("Return")
        assert s.wait_exit(proc, 120) == 0, "the uninstaller did not finish"
        left = sorted(os.path.relpath(os.path.join(r, n), inst.dir)
                      for r, ds, fs in os.walk(inst.dir) for n in fs + ds)
        assert left == ["my pictures", os.path.join("my pictures", "cat.vkd"), "uninstaller.exe"], left
        for p in inst.shortcuts + [inst.system]:
            assert not os.path.exists(p), f"{p} was not removed"
        for key, _, _ in Install.REG:
            assert not key_exists(s, key), f"{key} was not removed"
        moves = pending_moves(s)
        new = moves[len(moves_before):] if moves[:len(moves_before)] == moves_before else moves
        exe = "\\??\\" + inst.win_dir + "\\uninstaller.exe"
        folder = "\\??\\" + inst.win_dir
        assert exe in new and folder in new, f"restart deletions not recorded: {moves}"
        i, j = new.index(exe), new.index(folder)
        assert i < j and new[i + 1] == "" and new[j + 1] == "", f"not deletions, or out of order: {new}"

        # at the restart the executable goes; the folder stays because it holds the user's file
        restart(s)
        assert wait_until(lambda: not os.path.exists(os.path.join(inst.dir, "uninstaller.exe")), 10)
        assert os.path.exists(os.path.join(inst.dir, "my pictures", "cat.vkd"))

        # a path over 79 characters is refused with a message, and nothing is touched
        inst = Install(s, stage, "Brisalo6 in a folder whose name makes the path too long")
        assert len(inst.win_dir + "\\uninstaller.exe") > 79
        proc, rect = run_once(s, inst, "uninstaller-long")
        origin = find_picture(s, rect, bmp)
        s.click(origin[0] + W - 150 + 30, origin[1] + H - 30 + 11)
        s.wait_window("#32770", 20000)
        assert s.title("#32770") == "Uninstall Brisalo"
        s.key("Return")
        assert s.wait_exit(proc, 20) == 0, "the uninstaller did not close after refusing"
        assert inst.unchanged(), "a refused uninstall changed something"
    print("ok")


if __name__ == "__main__":
    sys.exit(main())
