#!/usr/bin/env python3
# Checks the resources inside the built program against templates.rc, written by hand from the
# dialog's rules: the four dialog templates control by control, the header of the banner and of
# each icon image (size, width, height, planes and bits), and the icon group. The resource
# compiler reads them back out of the program as a resource script; the maker's notice, whose
# words are free, is compared as <notice>.
#
# Usage: check_templates.py VelmarkSetup.exe templates.rc WINDRES
import difflib
import re
import subprocess
import sys


def resources(script):
    # The version resource is the release's (Scripts/check-product reads it).
    script = re.sub(r"/\* Type: version.*?(?=/\* Type:|$)", "", script, flags=re.S)
    script = re.sub(r"/\*.*?\*/", "", script, flags=re.S)
    script = re.sub(r'CONTROL "[^"\n]+", -1, "STATIC", 0x50020000, 5, 260,', 'CONTROL "<notice>", -1, "STATIC", 0x50020000, 5, 260,', script)
    lines, header = [], False
    for line in (l.strip() for l in script.splitlines()):
        if line.startswith("0x") and header:
            lines.append(", ".join(re.findall(r"0x\w+", line)[:4]))
        elif line and not line.startswith("0x"):
            lines.append(line)
        header = line == "BEGIN"
    return lines


def main():
    got = resources(subprocess.run([sys.argv[3], "-i", sys.argv[1], "-O", "rc"], capture_output=True,
                                   check=True).stdout.decode("latin-1"))
    with open(sys.argv[2], encoding="latin-1") as f:
        want = [l.strip() for l in f if l.strip() and not l.startswith("//")]
    print("\n".join(difflib.unified_diff(want, got, "templates.rc", "VelmarkSetup.exe", lineterm="")))
    print(f"{len(want)} resource lines {'as expected' if got == want else 'expected; see the differences above'}")
    return 0 if got == want else 1


if __name__ == "__main__":
    sys.exit(main())
