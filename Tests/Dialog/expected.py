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


# Controls after a start with the defaults: (page, control, field) -> value.
DEFAULT_DISPLAY_PAGE = {
    (0, 1002, "sel"): 0, (0, 1004, "sel"): 1, (0, 1005, "sel"): 0, (0, 1007, "sel"): 0,
    (0, 1011, "sel"): 0, (0, 1023, "sel"): 1,
    (0, 1006, "check"): 0, (0, 1008, "check"): 0, (0, 1012, "check"): 0, (0, 1013, "check"): 0,
    (0, 1015, "check"): 1,
    (0, 1014, "pos"): 30, (0, 1019, "pos"): 10, (0, 1024, "pos"): 80,
    (0, 1014, "range"): "20..100", (0, 1019, "range"): "10..300", (0, 1024, "range"): "50..100",
    (0, 1002, "items"): "800*600|1024*768", (0, 1004, "items"): "16|32",
}
DEFAULT_GAME_PAGE = {
    (1, 1016, "pos"): 0, (1, 1017, "pos"): 12, (1, 1018, "pos"): 15,
    (1, 1016, "range"): "0..60", (1, 1017, "range"): "12..240", (1, 1018, "range"): "10..20",
    (1, 1071, "check"): 0, (1, 1072, "check"): 0,
}
# No sound device under the test prefix: the device list is empty and shows nothing.
DEFAULT_AUDIO_PAGE = {
    (2, 1063, "pos"): 1000, (2, 1065, "pos"): 1000, (2, 1063, "range"): "0..1000",
    (2, 1069, "check"): 1, (2, 1067, "sel"): -1, (2, 1067, "items"): "",
    (2, 1074, "sel"): 1, (2, 1073, "sel"): 1,
}
HIGH_DISPLAY_PAGE = {
    (0, 1002, "sel"): 1, (0, 1004, "sel"): 1, (0, 1005, "sel"): 2, (0, 1007, "sel"): 2,
    (0, 1011, "sel"): 2, (0, 1023, "sel"): 2,
    (0, 1006, "check"): 1, (0, 1008, "check"): 1, (0, 1012, "check"): 1, (0, 1013, "check"): 0,
    (0, 1015, "check"): 1,
    (0, 1014, "pos"): 100, (0, 1019, "pos"): 300, (0, 1024, "pos"): 100,
}
HIGH_GAME_PAGE = {(1, 1016, "pos"): 60, (1, 1017, "pos"): 240, (1, 1072, "check"): 1}

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
    out = ""
    for c in raw:
        if c == 0x5C:
            out += "\\\\"
        elif c < 0x20 or c >= 0x7F:
            out += f"\\x{c:02X}"
        else:
            out += chr(c)
    return out


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
