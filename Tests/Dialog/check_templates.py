#!/usr/bin/env python3
"""Checks the resources inside the built program against templates.txt: the four dialog
templates control by control (the resource compiler may add style bits of its own), the
banner's size and depth, and the five images of the icon group.

Usage: check_templates.py VelmarkSetup.exe templates.txt"""
import struct
import sys

CLASSES = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX", 0x84: "SCROLLBAR",
           0x85: "COMBOBOX"}


def resources(pe):
    """(type, name, language, bytes) of every resource of a PE file."""
    pe_at = struct.unpack_from("<I", pe, 0x3C)[0]
    sections, optional = struct.unpack_from("<HxxxxxxxxxxxxH", pe, pe_at + 6)
    magic = struct.unpack_from("<H", pe, pe_at + 24)[0]
    dirs = pe_at + 24 + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", pe, dirs + 2 * 8)[0]
    table = pe_at + 24 + optional
    for i in range(sections):
        _, vsize, vaddr, rsize, raw = struct.unpack_from("<8sIIII", pe, table + 40 * i)
        if vaddr <= rsrc_rva < vaddr + max(vsize, rsize):
            base = raw + rsrc_rva - vaddr
            delta = vaddr - raw
            break
    else:
        return

    def entries(offset):
        named, ids = struct.unpack_from("<HH", pe, base + offset + 12)
        for k in range(named + ids):
            ident, target = struct.unpack_from("<II", pe, base + offset + 16 + 8 * k)
            yield ident, target

    for rtype, t1 in entries(0):
        for name, t2 in entries(t1 & 0x7FFFFFFF):
            for lang, t3 in entries(t2 & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", pe, base + t3)
                yield rtype, name, lang, pe[rva - delta:rva - delta + size]


def sz_or_ord(data, pos):
    if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def dialog_lines(name, lang, t):
    ex = struct.unpack_from("<HH", t, 0) == (1, 0xFFFF)
    if ex:
        _, _, _, _, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", t, 0)
        p = 26
    else:
        style, _, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", t, 0)
        p = 18
    _, p = sz_or_ord(t, p)
    _, p = sz_or_ord(t, p)
    title, p = sz_or_ord(t, p)
    size, font = 0, ""
    if style & 0x40:
        size = struct.unpack_from("<H", t, p)[0]
        font, p = sz_or_ord(t, p + (6 if ex else 2))
    lines = [f"dialog {name} lang={lang} ex={int(ex)} style={style:08X} {x},{y},{cx},{cy} "
             f"title={title} font={size},{font}"]
    for _ in range(count):
        p = (p + 3) & ~3
        if ex:
            _, _, st, x, y, cx, cy, cid = struct.unpack_from("<IIIhhhhi", t, p)
            p += 24
        else:
            st, _, x, y, cx, cy, cid = struct.unpack_from("<IIhhhhh", t, p)
            p += 18
        cls, p = sz_or_ord(t, p)
        text, p = sz_or_ord(t, p)
        p += 2 + struct.unpack_from("<H", t, p)[0]
        cls = CLASSES.get(cls, cls)
        if name == 102 and cid == -1 and text != "#141":
            text = "<notice>" if text.strip() and "\n" not in text else "<no notice>"
        lines.append(f"{name} {cid} {cls} {st:08X} {x},{y},{cx},{cy} {text}")
    return lines


def actual(pe):
    lines, icons = [], {}
    for rtype, name, lang, body in resources(pe):
        if rtype == 5:
            lines += dialog_lines(name, lang, body)
        elif rtype == 2:
            _, w, h, _, bpp = struct.unpack_from("<IiiHH", body, 0)
            lines.append(f"bitmap {name} lang={lang} {w}x{h}x{bpp}")
        elif rtype == 3:
            _, w, h, _, bpp = struct.unpack_from("<IiiHH", body, 0)
            icons[name] = f"{w}x{h // 2}x{bpp}"
        elif rtype == 14:
            count = struct.unpack_from("<H", body, 4)[0]
            ids = [struct.unpack_from("<H", body, 6 + 14 * k + 12)[0] for k in range(count)]
            lines.append(f"icons {name} lang={lang} " + " ".join(icons.get(i, "?") for i in ids))
    return lines


def normal(line):
    """Window class names are matched without regard to case (the compiler upper-cases)."""
    parts = line.rstrip().split(" ", 3)
    if parts[0] not in ("dialog", "bitmap", "icons") and len(parts) > 2:
        parts[2] = parts[2].upper()
    return " ".join(parts)


def main():
    with open(sys.argv[1], "rb") as f:
        got = [normal(l) for l in actual(f.read())]
    with open(sys.argv[2]) as f:
        want = [normal(l) for l in f if l.strip() and not l.startswith("#")]
    missing, extra = [l for l in want if l not in got], [g for g in got if g not in want]
    for kind, lines in (("missing", missing), ("unexpected", extra)):
        for l in lines:
            print(f"{kind}: {l}")
    print(f"{len(want) - len(missing)} of {len(want)} resource lines as expected")
    return 1 if missing or extra else 0


if __name__ == "__main__":
    sys.exit(main())
