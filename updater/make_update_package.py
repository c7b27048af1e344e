#!/usr/bin/env python3
"""Makes an update package from a staged program directory: upgrade.inf and data.cab.

    make_update_package.py --stage DIR --version TEXT --out DIR [--exclude NAME]... [--gcab PATH]

Every file under the stage goes into data.cab (compressed with gcab), except the names excluded at
the top level; by default the setup INF, the updater and its library (in use while the package
installs) and a pending update folder.  upgrade.inf announces the version in section "version",
key "No", and installs with section "ProductInstall": one CopyFiles section per folder, each
mapped below directory id 65600 (the program directory, set by the updater), and the new version in
the installed-programs entry.  Cabinet members
are numbered names, so files of the same name in different folders never clash in the cabinet.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

DEFAULT_EXCLUDES = ["brisaloc.inf", "updater.exe", "netfetch.dll", "update"]


def collect(stage, excludes):
    """(relative folder with backslashes, file name, full path) for every file, in a stable order."""
    excluded = {e.lower() for e in excludes}
    found = []
    for root, dirs, files in os.walk(stage):
        rel = os.path.relpath(root, stage)
        rel = "" if rel == "." else rel.replace(os.sep, "\\")
        if not rel:
            dirs[:] = [d for d in dirs if d.lower() not in excluded]
        dirs.sort()
        for name in sorted(files):
            if not rel and name.lower() in excluded:
                continue
            found.append((rel, name, os.path.join(root, name)))
    return found


def inf_text(version, files):
    folders = []
    for rel, _, _ in files:
        if rel not in folders:
            folders.append(rel)
    section = {rel: f"Files.{i}" for i, rel in enumerate(folders)}
    lines = ["[Version]", 'Signature="$Chicago$"', f"No={version}", "",
             "[ProductInstall]", "CopyFiles=" + ",".join(section[r] for r in folders),
             "AddReg=ProductInstall.Reg", "",
             "[ProductInstall.Reg]",
             # the entry in the list of installed programs shows the version now installed
             'HKLM,"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6","DisplayVersion",,'
             f'"{version}"', "",
             "[DestinationDirs]"]
    for rel in folders:
        lines.append(f"{section[rel]}=65600" + (f",{rel}" if rel else ""))
    lines += ["", "[SourceDisksNames]", '1="Brisalo 6 update",data.cab,,', "", "[SourceDisksFiles]"]
    for i, (rel, name, _) in enumerate(files):
        lines.append(f"{member(i)}=1")
    for rel in folders:
        lines += ["", f"[{section[rel]}]"]
        for i, (r, name, _) in enumerate(files):
            if r == rel:
                # target name, then the cabinet member it comes from
                lines.append(f"{name},{member(i)}")
    return "\r\n".join(lines) + "\r\n"


def member(index):
    return f"f{index:05d}.bin"


def main(argv=None):
    p = argparse.ArgumentParser()
    p.add_argument("--stage", required=True)
    p.add_argument("--version", required=True)
    p.add_argument("--out", required=True)
    p.add_argument("--exclude", action="append")
    p.add_argument("--gcab", default="gcab")
    a = p.parse_args(argv)
    files = collect(a.stage, a.exclude if a.exclude is not None else DEFAULT_EXCLUDES)
    if not files:
        print(f"make_update_package: no files under {a.stage}", file=sys.stderr)
        return 1
    if any(c in a.version for c in "\r\n[]") or not a.version or len(a.version) > 19:
        print("make_update_package: the version must be 1 to 19 characters on one line", file=sys.stderr)
        return 1
    os.makedirs(a.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for i, (_, _, path) in enumerate(files):
            shutil.copyfile(path, os.path.join(work, member(i)))
        cab = os.path.join(a.out, "data.cab.tmp")
        names = [member(i) for i in range(len(files))]
        subprocess.run([a.gcab, "-c", "-z", "-n", cab, *names], cwd=work, check=True)
    inf = os.path.join(a.out, "upgrade.inf.tmp")
    with open(inf, "w", newline="", encoding="ascii") as f:
        f.write(inf_text(a.version, files))
    os.replace(cab, os.path.join(a.out, "data.cab"))
    os.replace(inf, os.path.join(a.out, "upgrade.inf"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
