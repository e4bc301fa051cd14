#!/usr/bin/env python3
# Writes the release zip from the programs (linked stripped) and the read-me files, with their
# SHA256SUMS: run by the target `release` (cmake/Release.cmake).
# The same commit gives the same bytes in any folder: entries in name order, each dated
# SOURCE_DATE_EPOCH (from the environment, else the commit's date, else a fixed date) in UTC,
# with fixed permissions and no extra fields (no access or change times, no owner).
# Usage: make_release.py ZIP VERSION SOURCE_DIR FILE...
import hashlib
import os
import subprocess
import sys
import time
import zipfile


def epoch(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"], capture_output=True,
                                  check=True).stdout)
    except (OSError, ValueError, subprocess.CalledProcessError):
        return 1767225600  # 2026-01-01, for a tree without its history


def main():
    path, version, source, files = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    entries = {}
    for name in files:
        with open(name, "rb") as f:
            data = f.read()
        if name.endswith(".txt"):  # the read-me files name the version and end lines as Windows does
            data = data.replace(b"@VERSION@", version.encode()).replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        entries[os.path.basename(name)] = data
    entries["SHA256SUMS"] = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n"
                                    for name, data in sorted(entries.items())).encode()
    date = time.gmtime(max(epoch(source), 315532800))[:6]  # a zip holds no date before 1980
    with zipfile.ZipFile(path + ".new", "w") as zip:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, date)
            info.create_system, info.compress_type = 3, zipfile.ZIP_DEFLATED
            info.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
            zip.writestr(info, entries[name])
    os.replace(path + ".new", path)
    print(f"{path}: {', '.join(sorted(entries))}, dated {time.strftime('%Y-%m-%d %H:%M:%S', date + (0, 0, 0))} UTC")


if __name__ == "__main__":
    main()
