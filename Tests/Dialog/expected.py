"""What the settings program must show and write, written down by hand from its rules: the
settings keys with their defaults and presets, the file's written form, what each page shows
for the defaults and for best quality, and which localization key labels which control."""
import os

# key, default in OPTIONS, OPTIONS_LOW, OPTIONS_HIGH (None: not in the presets).
KEYS = [
    ("ANIMATEDMENUS", "0", "0", "1"),
    ("RESOLUTION", "(800,600)", "(800,600)", "(1024,768)"),
    ("BITDEPTH", "32", "32", "32"),
    ("SEAQUALITY", "0", "0", "2"),
    ("SKYQUALITY", "Low", "Low", "High"),
    ("TERRAINSIZE", "High", "High", "High"),
    ("FORESTDENSITY", "1", "1", "3"),
    ("LOD", "1", "1", "0"),
    ("SEAANIMATED", "0", "0", "1"),
    ("SKYANIMATED", "0", "0", "1"),
    ("FORESTANIMATED", "0", "0", "1"),
    ("SHADOWS", "0", "0", "0"),
    ("TERRAINQUALITY", "30", "30", "100"),
    ("FORESTLOADING", "10", "10", "300"),
    ("FAR", "80", "50", "100"),
    ("DEATHTIME", "0", "5", "60"),
    ("NBDEATH", "12", "12", "240"),
    ("SUN", "0.000000", "0.000000", "0.000000"),
    ("FORESTSIZE", "6.600000", "6.600000", "6.600000"),
    ("TEXTURINGBIL", "FILTER_BILERP", "FILTER_BILERP", "FILTER_BILERP"),
    ("TEXTURINGFOREST", "FILTER_BILERP", "FILTER_BILERP", "FILTER_BILERP"),
    ("TEXTURINGSHADOWS", "FILTER_BILERP", "FILTER_BILERP", "FILTER_BILERP"),
    ("TEXTURINGTERRAIN", "FILTER_BILERP", "FILTER_BILERP", "FILTER_BILERP"),
    ("ENABLEMANAGEPICKING", "1", "1", "1"),
    ("MIPMAP", "0", "0", "0"),
    ("METEO", "1", "0", "1"),
    ("SOUND_GLOBAL", "-1", None, None),
    ("SOUND_SAMPLE", "1000", None, None),
    ("SOUND_STREAM", "1000", None, None),
    ("SOUND_ENABLE", "1", None, None),
    ("SOUND_DEVICE", "0", None, None),
    ("SOUND_STRM_QUALITY", "1", "0", "1"),
    ("SOUND_STRM_STEREO", "1", "0", "1"),
    ("INVERT_MOUSE", "0", None, None),
    ("MOUSE_SPEED", "1.500000", None, None),
]

# The keys whose controls show the configuration choice's section, with the best quality
# values Apply then writes into OPTIONS.
CHOICE_KEYS = ["ANIMATEDMENUS", "RESOLUTION", "BITDEPTH", "SEAQUALITY", "SKYQUALITY",
               "FORESTDENSITY", "LOD", "SEAANIMATED", "SKYANIMATED", "FORESTANIMATED", "SHADOWS",
               "TERRAINQUALITY", "FORESTLOADING", "FAR", "DEATHTIME", "NBDEATH", "METEO",
               "SOUND_STRM_QUALITY", "SOUND_STRM_STEREO"]
HIGH_VALUES = {k: high for k, _, _, high in KEYS if k in CHOICE_KEYS}


def serialize(sections):
    """The written form: per section an empty line and its header, then an empty line and its
    keys in byte order, tab-indented, aligned on " = ", values quoted, CR LF everywhere."""
    out = b""
    for name in sorted(sections):
        out += b"\r\n[" + name.encode() + b"]\r\n"
        keys = sections[name]
        if keys:
            width = max(len(k) for k in keys)
            out += b"\r\n"
            for key in sorted(keys):
                out += (b"\t" + key.ljust(width).encode("latin-1") + b' = "' +
                        keys[key].encode("latin-1") + b'"\r\n')
    return out


def config_bytes(options):
    """The settings file of the 92 default keys with `options` changed in OPTIONS."""
    values = {k: d for k, d, _, _ in KEYS}
    values.update(options)
    return serialize({
        "OPTIONS": values,
        "OPTIONS_LOW": {k: low for k, _, low, _ in KEYS if low is not None},
        "OPTIONS_HIGH": {k: high for k, _, _, high in KEYS if high is not None},
        "PLAYER": {"NAME": "Player"},
    })


def controls(page, **fields):
    """(page, control, field) -> value, from field=({control: value}) rows."""
    return {(page, cid, f): v for f, row in fields.items() for cid, v in row.items()}


# Controls after a start with the defaults and with best quality.
DEFAULT_DISPLAY_PAGE = controls(
    0, sel={1002: 0, 1004: 1, 1005: 0, 1007: 0, 1011: 0, 1023: 1},
    check={1006: 0, 1008: 0, 1012: 0, 1013: 0, 1015: 1}, pos={1014: 30, 1019: 10, 1024: 80},
    range={1014: "20..100", 1019: "10..300", 1024: "50..100"},
    items={1002: "800*600|1024*768", 1004: "16|32"})
DEFAULT_GAME_PAGE = controls(1, pos={1016: 0, 1017: 12, 1018: 15}, check={1071: 0, 1072: 0},
                             range={1016: "0..60", 1017: "12..240", 1018: "10..20"})
# No sound device under the test prefix: the device list is empty and shows nothing.
DEFAULT_AUDIO_PAGE = controls(2, pos={1063: 1000, 1065: 1000}, range={1063: "0..1000"},
                              check={1069: 1}, sel={1067: -1, 1074: 1, 1073: 1}, items={1067: ""})
HIGH_DISPLAY_PAGE = controls(
    0, sel={1002: 1, 1004: 1, 1005: 2, 1007: 2, 1011: 2, 1023: 2},
    check={1006: 1, 1008: 1, 1012: 1, 1013: 0, 1015: 1}, pos={1014: 100, 1019: 300, 1024: 100})
HIGH_GAME_PAGE = controls(1, pos={1016: 60, 1017: 240}, check={1072: 1})

# The localized labels of each page: control, localization key.
PAGE_LABELS = {
    0: [(1036, "E_SETUP_SCREEN"), (1034, "E_SETUP_SCREEN_RESOLUTION"),
        (1035, "E_SETUP_SCREEN_BIT_DEPTH"), (1037, "E_SETUP_SEA"), (1038, "E_SETUP_SEA_QUALITY"),
        (1039, "E_SETUP_SEA_ANIMATED"), (1040, "E_SETUP_SKY"), (1041, "E_SETUP_SKY_QUALITY"),
        (1042, "E_SETUP_SKY_ANIMATED"), (1043, "E_SETUP_LANDSCAPE"),
        (1044, "E_SETUP_LANDSCAPE_DETAILS"), (1046, "E_SETUP_FOREST"),
        (1047, "E_SETUP_FOREST_DENSITY"), (1048, "E_SETUP_FOREST_LOADING_SPEED"),
        (1049, "E_SETUP_FOREST_ANIMATED"), (1050, "E_SETUP_EFFECTS"),
        (1051, "E_SETUP_EFFECTS_SHADOWS"), (1052, "E_SETUP_MISC"), (1053, "E_SETUP_MISC_LOD"),
        (1054, "E_SETUP_MISC_FAR"), (1055, "E_SETUP_MISC_METEO")],
    1: [(1055, "E_SETUP_CORPSES"), (1056, "E_SETUP_CORPSES_DURATION"),
        (1057, "E_SETUP_CORPSES_MAX_NUMBER"), (1058, "E_SETUP_MOUSE"),
        (1059, "E_SETUP_MOUSE_SPEED"), (1070, "E_SETUP_MOUSE_INVERT"),
        (1072, "E_SETUP_ANIMATED_MENUS"), (1060, "E_SETUP_MENUS_MENUS")],
    2: [(1059, "E_MSG_MENUS_AUDIO"), (1066, "E_MSG_MENUS_DRIVER_CHOICE"),
        (1061, "E_MSG_MENUS_VOLUME_SOUND_EFFECTS"), (1064, "E_MSG_MENUS_VOLUME_MUSIC"),
        (1068, "E_MSG_MENUS_ENABLE_SOUND"), (1075, "E_MSG_MENUS_SOUND_MONOSTEREO"),
        (1072, "E_MSG_MENUS_SOUND_QUALITY")],
}


def escape(raw):
    """The driver's way of printing Windows-1252 bytes."""
    return "".join("\\\\" if c == 0x5C else f"\\x{c:02X}" if c < 0x20 or c >= 0x7F else chr(c)
                   for c in raw)


def localized_texts(sample, language):
    """Identifier -> text in `language`, read from the sample's LocalizedStrings.ini (plain
    lines only: '[ID]' and 'Language = "text"'), escaped as the driver prints."""
    texts, section = {}, None
    with open(os.path.join(sample, "DATA", "INI", "LocalizedStrings.ini"), "rb") as f:
        for line in f.read().split(b"\n"):
            line = line.strip()
            if line.startswith(b"[") and line.endswith(b"]"):
                section = line[1:-1].decode("ascii").upper()
            elif b"=" in line and section and not line.startswith(b";"):
                key, value = line.split(b"=", 1)
                if key.strip().lower() == language.lower().encode():
                    value = value.strip()
                    if value.startswith(b'"') and value.endswith(b'"'):
                        value = value[1:-1]
                    texts[section] = escape(value.replace(b"%%", b"%"))
    return texts
