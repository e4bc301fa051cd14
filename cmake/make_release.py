#!/usr/bin/env python3
# Writes a release archive from the programs (linked stripped) and the read-me files, with their
# SHA256SUMS: run by the target `release` (cmake/Release.cmake). A .zip holds the Windows
# programs beside read-me files with Windows line ends; a .tar.gz holds the Linux tool in a
# folder named as the archive, its read-me with Linux line ends.
# The same commit gives the same bytes in any folder: entries in name order, each dated
# SOURCE_DATE_EPOCH (from the environment, else the commit's date, else a fixed date) in UTC,
# with fixed permissions and no extra fields (no access or change times, no owner).
# Usage: make_release.py ARCHIVE VERSION SOURCE_DIR FILE...
import gzip
import hashlib
import io
import os
import subprocess
import sys
import tarfile
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


def read_entries(files, version, line_end):
    entries = {}
    for name in files:
        with open(name, "rb") as f:
            data = f.read()
        if name.endswith(".txt"):  # the read-me files name the version
            data = data.replace(b"@VERSION@", version.encode()).replace(b"\r\n", b"\n").replace(b"\n", line_end)
        entries[os.path.basename(name)] = data
    entries["SHA256SUMS"] = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n"
                                    for name, data in sorted(entries.items())).encode()
    return entries


def executable(name, data):
    return name.endswith(".exe") or data.startswith(b"\x7fELF")


def write_zip(path, entries, seconds):
    date = time.gmtime(max(seconds, 315532800))[:6]  # a zip holds no date before 1980
    with zipfile.ZipFile(path, "w") as zip:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, date)
            info.create_system, info.compress_type = 3, zipfile.ZIP_DEFLATED
            info.external_attr = (0o100755 if executable(name, entries[name]) else 0o100644) << 16
            zip.writestr(info, entries[name])


def tar_info(name, seconds, mode, size=0, kind=tarfile.REGTYPE):
    info = tarfile.TarInfo(name)
    info.mtime, info.mode, info.size, info.type = seconds, mode, size, kind
    info.uid = info.gid = 0
    info.uname = info.gname = "root"
    return info


def write_tar_gz(path, entries, seconds):
    folder = os.path.basename(path).split(".tar.gz")[0]
    buffer = io.BytesIO()
    with tarfile.open(fileobj=buffer, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        tar.addfile(tar_info(folder, seconds, 0o755, kind=tarfile.DIRTYPE))
        for name in sorted(entries):
            data = entries[name]
            mode = 0o755 if executable(name, data) else 0o644
            tar.addfile(tar_info(f"{folder}/{name}", seconds, mode, len(data)), io.BytesIO(data))
    # No file name in the gzip header, and the commit's date as its time.
    with open(path, "wb") as f, gzip.GzipFile(filename="", mode="wb", fileobj=f, mtime=seconds,
                                              compresslevel=9) as packed:
        packed.write(buffer.getvalue())


def main():
    path, version, source, files = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    zip = path.endswith(".zip")
    entries = read_entries(files, version, b"\r\n" if zip else b"\n")
    seconds = epoch(source)
    (write_zip if zip else write_tar_gz)(path + ".new", entries, seconds)
    os.replace(path + ".new", path)
    shown = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(seconds))
    print(f"{path}: {', '.join(sorted(entries))}, dated {shown} UTC")


if __name__ == "__main__":
    main()
