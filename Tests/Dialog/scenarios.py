#!/usr/bin/env python3
# The settings program as a player uses it, under 64-bit Wine, driven by driver.exe in fresh
# copies of the sample game folder, with a scripted sound card (winmm.cpp) and the probe hook
# (hook.cpp), both built for the program's bits beside the driver. Each run checks the message
# boxes, the controls against expected/*.txt, the fit of every dump, "Player\Config.ini" byte for
# byte, the driver's fail lines and the exit code. The expected settings files, by the rules of
# the defaults, presets, Apply and the written form:
#   ../Setup/data/default_config.ini  the 92 default keys, as a first start writes them;
#   play-start.ini         a player's mouse and sound values, FAR 90 and odd values in the ten
#                          fixed keys (Apply writes those back with their defaults);
#   play-applied.ini       what Apply makes of it with the second sound device (SOUND_DEVICE "1");
#   play-mouse-10/20.ini   the same with the mouse slider at its ends, speeds 1.0 and 2.0;
#   play-best-quality.ini  best quality applied over the player's own values;
#   keys-applied.ini       play-applied.ini with FAR two steps up and the sea animated.
#
# Usage: scenarios.py --program EXE --driver EXE --sample DIR --out DIR [--only NAME...]
#                     [--bench N --baseline EXE | --showcase] [--own-display] [--wine 64|32]
# --wine 32 plays them on the i686 programs under 32-bit Wine, with a driver built for i686.
import argparse
import os
import re
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import winehost  # noqa: E402

EXPECTED = os.path.join(HERE, "expected")
FILE_BOX = "CFileHarvel Error"
DEVICES = "Speakers (Scripted Audio)|Sortie num\\xE9rique"  # the scripted devices that open
ONE_SCAN = "open 0 44100 2 16 ok\nclose\nopen 1 44100 2 16 busy\nopen 2 44100 2 16 ok\nclose\n"
ALWAYS_OVERLAPPING = {"1:-1/1016", "1:1017/-1"}  # the corpse sliders' scale labels
REFERENCE_UNITS = ("6,12", "6,13")  # the dialog font of Wine 8 and of Windows, at 96 DPI
SAVE_FAILED = ("ERROR", "Sauvegarde du fichier 'Config.ini' impossible\\nLe fichier est peut-etre en lecture seule")
PAGES = ["page-display", "page-game", "page-audio"]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL", what, flush=True)


def data(name, folder=EXPECTED):
    with open(os.path.join(folder, name), "rb") as f:
        return f.read()


def default_settings():  # the 92-key file the program writes when it finds none
    return data("default_config.ini", os.path.join(HERE, "..", "Setup", "data"))


def box(fields, name):
    return [int(n) for n in fields.get(name, "0,0,0,0").split(",")]


# The file object's box for a file it cannot open, by its rules; the source line is not compared.
def file_box(path, error, source):
    path = path.replace("\\", "\\\\")
    return (FILE_BOX, f"{path}\\nProbleme a l'ouverture du fichier! Fichier inexistant?({path})\\nWIN ERROR MESSAGE: "
            f"{error}\\x0D\\nvoir: {source}(line)\\n")


def expected(name):
    return [line for line in data(name).decode("latin-1").splitlines() if line.strip() and not line.startswith("#")]


# What the driver printed for one program run: boxes, dumps, readiness, exit code.
class Run:
    def __init__(self, name, lines):
        self.name, self.dumps, self.lines = name, [], lines
        self.boxes = [tuple(re.sub(r"\(\d+\)(\\n)$", r"(line)\1", l[4:]).split("|", 1))
                      for l in lines if l.startswith("box ")]
        self.fails = [l for l in lines if l.startswith("fail ")]
        self.exit = next((l[5:] for l in lines if l.startswith("exit ")), None)
        self.ready = next((l[6:] for l in lines if l.startswith("ready ")), "").split()
        self.start = next((int(l[6:]) for l in lines if l.startswith("start ")), 0)
        self.codepage = next((l[9:] for l in lines if l.startswith("codepage ")), None)
        for fields in (l.split("\t") for l in lines if "\t" in l):
            if fields[:2] == ["m", "tab"]:
                self.dumps.append({})
            self.dumps[-1][fields[0] + " " + fields[1]] = dict(f.split("=", 1) for f in fields[2:])

    # The lines 'page control field=value...' (or 'page control text|items=rest of line') of
    # `wanted` hold in dump number `dump`, later lines overriding earlier ones; with `pages`, only theirs.
    def expect(self, dump, wanted, pages=None):
        want = {}
        for page, cid, rest in (line.split(" ", 2) for line in wanted):
            field, value = rest.split("=", 1)
            if pages is None or page in pages:
                want.setdefault(page + " " + cid, {}).update(
                    {field: value} if field in ("text", "items") else dict(f.split("=") for f in rest.split()))
        for control, fields in want.items():
            got = self.dumps[dump].get(control, {}) if dump < len(self.dumps) else {}
            for field, value in fields.items():
                check(got.get(field) == value, f"{self.name} dump {dump}: {control} {field} is {got.get(field)!r}, want {value!r}")

    def expect_end(self, boxes, code):
        check(self.boxes == boxes and self.exit == code, f"{self.name}: boxes {self.boxes}, exit {self.exit}")


class Scenarios:
    def __init__(self, args, host, hook):
        self.args, self.host, self.folders, self.hook = args, host, [], hook

    # A fresh game folder, with `contents` as its settings file when given.
    def game(self, contents=None, mode=0o644, program=None, name="game"):
        self.folders.append(tempfile.mkdtemp(prefix="velmark-"))
        game = os.path.join(self.folders[-1], name)
        shutil.copytree(self.args.sample, game)
        shutil.copy(program or self.args.program, os.path.join(game, "VelmarkSetup.exe"))
        if contents is not None:
            with open(self.path(game), "wb") as f:
                f.write(contents)
            os.chmod(self.path(game), mode)
        return game

    def path(self, game):
        return os.path.join(game, "Player", "Config.ini")

    def settings(self, game):
        return open(self.path(game), "rb").read()

    def expect_settings(self, name, got, want):
        check(got == want, f"{name}: Config.ini differs:\n{got!r}\nwant:\n{want!r}")

    def run(self, name, game, steps, pauses=None, debug="-all", cwd=None, env=None):
        open(self.devices_log(name), "w").close()
        env = dict(env or {}, VELMARK_DIALOG_HOOK=winehost.windows_path(self.hook),
                   VELMARK_WINMM_LOG=winehost.windows_path(self.devices_log(name)))
        lines = self.host.drive(self.args.driver, game, steps, lambda p, g: pauses[p](g), debug, cwd, env)
        with open(os.path.join(self.args.out, f"{name}.log"), "w") as f:
            f.write("\n".join(lines) + "\n")
        run = Run(name, lines)
        check(not run.fails, f"{name}: the driver says {run.fails}")
        for i, dump in enumerate(run.dumps):
            self.check_fit(f"{name} dump {i}", dump.get("m fit", {}), dump.get("m tab", {}))
        return run

    # The opens and closes the scripted sound card saw in run `name`.
    def devices_log(self, name):
        return os.path.join(self.args.out, f"{name}.winmm.log")

    def scans(self, name):
        return open(self.devices_log(name)).read()

    # Whatever the font and DPI: the tab titles in the dialog's font, the window's two icons, each
    # page inside the tab control's display area and below the configuration list, every shown
    # text within its control, no two controls overlapping but those that always have, and the
    # tab control as large as laid out, exactly so where the dialog font has the reference metrics.
    def check_fit(self, what, fit, tab):
        check((fit.get("font"), fit.get("icons"), fit.get("tight")) == ("dialog", "2", ""),
              f"{what}: tab font {fit.get('font')}, icons {fit.get('icons')}, texts too large: {fit.get('tight')}")
        check(set(fit.get("overlaps", "").split()) <= ALWAYS_OVERLAPPING, f"{what}: overlaps {fit.get('overlaps')}")
        area, combo = box(fit, "display"), box(fit, "list")
        for page in (box(fit, f"page{i}") for i in range(3)):
            check(area[0] <= page[0] and area[1] <= page[1] and page[2] <= area[2] and page[3] <= area[3]
                  and page[1] >= combo[3], f"{what}: page {page} outside {area} or over the list {combo}")
        size = [int(n) for n in tab.get("size", "0,0").split(",")]
        check(size == [650, 270] if fit.get("units") in REFERENCE_UNITS else size[0] >= 650 and size[1] >= 270,
              f"{what}: tab size {size} with dialog units {fit.get('units')}")

    def shots(self):
        return {p: lambda g, p=p: self.host.screenshot(os.path.join(self.args.out, f"{p}.png")) for p in PAGES}

    # No settings file and no English folder: the file box, the defaults shown in French, an
    # idle processor, the pages photographed; the close box ends with 1 and the default file.
    def first_start_in_french(self):
        game = self.game()
        shutil.rmtree(os.path.join(game, "DATA", "INI", "English"))
        idle = {}
        run = self.run("first", game, ["ready", "dump", "pause:idle", "pause:page-display", "tab:1", "dump",
                                       "pause:page-game", "tab:2", "pause:page-audio", "dump", "close"],
                       {"idle": lambda g: idle.update(share=self.host.idle_share(g, 5.0)), **self.shots()})
        run.expect_end([file_box("Player\\Config.ini", "File not found.", "Code/Harvel/CFileHarvel.cpp")], "1")
        run.expect(0, ["m tab sel=0", "m 1012 sel=0", "page 0 visible=1 at=15,150"])
        run.expect(2, expected("pages-default.txt") + expected("french.txt"))
        self.expect_settings("first", self.settings(game), default_settings())
        print(f"    idle: {idle.get('share', -1) * 100:.1f}% of one core over 5 s")
        check(idle.get("share") is not None and idle["share"] < 0.25, f"first: idle program uses {idle}")

    # A read-only file with a player's values and odd fixed keys, and Wine's own winmm.dll (no
    # devices) in the game folder, which the audio page must not load. The sound devices probed
    # once, at the first visit; the second chosen and Apply from the audio page, best quality
    # and back to user, the mouse slider's ends, best quality applied, changes left unapplied
    # at Exit. The next start shows what was applied; the file made read-only then ends the
    # program at Apply and stays as it was, with no other file beside it.
    def play(self):
        game, seen = self.game(data("play-start.ini"), mode=0o444), {}
        shutil.copy(os.path.join(self.host.base, "drive_c", "windows", "system32", "winmm.dll"), game)
        run = self.run("play", game, [
            "ready", "pause:start", "tab:2", "combo:2:1067:1", "apply", "dump", "pause:applied",
            "tab:1", "slider:1:1016:33", "combo:m:1012:2", "dump", "tab:0", "dump",
            "tab:1", "combo:m:1012:0", "dump", "tab:0", "dump",
            "tab:1", "slider:1:1018:10", "apply", "pause:mouse-10", "slider:1:1018:20", "apply",
            "pause:mouse-20",
            "combo:m:1012:2", "apply", "dump", "pause:best-quality",
            "combo:0:1002:0", "click:0:1006", "slider:0:1024:55", "tab:1", "click:1:1071", "tab:2",
            "slider:2:1063:10", "exit"], {"start": lambda g: seen.update(start=self.scans("play")),
                                          **{p: lambda g, p=p: seen.update({p: self.settings(g)})
                                             for p in ("applied", "mouse-10", "mouse-20", "best-quality")}})
        run.expect_end([], "1")
        check((seen.get("start"), self.scans("play")) == ("", ONE_SCAN),  # every visit and Apply after
              f"play: sound devices probed {seen.get('start')!r} before the audio page, {self.scans('play')!r} in all")
        run.expect(0, ["m tab sel=0", "page 0 visible=1"])  # Apply ends on the display page
        mouse = ["1 1018 pos=12", "1 1071 check=1"]
        run.expect(1, expected("pages-high.txt") + mouse, pages="1")
        run.expect(2, expected("pages-high.txt"), pages="0")
        run.expect(3, expected("pages-default.txt") + mouse, pages="1")
        run.expect(4, expected("pages-default.txt") + ["0 1024 pos=90"], pages="0")
        run.expect(5, ["m 1012 sel=2", "2 1067 sel=1"])
        for name in ("applied", "mouse-10", "mouse-20", "best-quality"):
            self.expect_settings(f"play-{name}", seen.get(name), data(f"play-{name}.ini"))
        self.expect_settings("play", self.settings(game), data("play-best-quality.ini"))
        check(os.stat(self.path(game)).st_mode & 0o200, "play: the file read-only at start is still read-only")

        run = self.run("next", game, ["ready", "dump", "tab:2", "dump", "pause:ro", "slider:0:1024:99", "apply"],
                       {"ro": lambda g: os.chmod(self.path(g), 0o444)})
        run.expect(0, expected("pages-high.txt") + ["m 1012 sel=0"], pages="0m")
        run.expect(1, ["2 1067 sel=1", "2 1067 items=" + DEVICES])
        run.expect_end([file_box("Player\\Config.ini", "Access denied.", "Code/Ini/CIniFileSave.cpp"), SAVE_FAILED],
                       "-1")
        self.expect_settings("next", self.settings(game), data("play-best-quality.ini"))
        left = sorted(os.listdir(os.path.join(game, "Player")))
        check(left == [".keep", "Config.ini"], f"next: files left in Player: {left}")

    def no_localization(self):
        game = self.game(default_settings())
        os.remove(os.path.join(game, "DATA", "INI", "LocalizedStrings.ini"))
        run = self.run("noloc", game, ["ready"])
        check(run.ready == ["no-dialog"], f"noloc: a dialog appeared: {run.ready}")
        run.expect_end([file_box("DATA\\INI\\LocalizedStrings.ini", "File not found.", "Code/Harvel/CFileHarvel.cpp"),
                        ("WARNING", "Cannot find localization pack!")], "-1")
        self.expect_settings("noloc", self.settings(game), default_settings())

    # The keyboard alone, in real key strokes: each window's order; the focus after each Tab
    # round the main window and each page, and Shift+Tab back; the pages switched by Ctrl+Tab,
    # Ctrl+Shift+Tab, Ctrl+Page keys and the tab control's arrows, filled as a click fills them; a list opened by F4
    # and closed by Esc; Space on a check box; a slider moved by arrows; Enter that does
    # nothing off a button and applies on Apply; Space on Exit. Then a configuration chosen by
    # arrow and Esc end the next run without a write.
    def keyboard(self):
        game, seen, steps, want = self.game(data("play-start.ini")), {}, ["ready", "order", "focus"], []
        rings = {l.split()[1]: l.split()[2:] for l in expected("keyboard.txt") if l.startswith("round ")}
        at = ["m:1012", 0]

        def key(name, focus=None, page=None, opened=0):
            at[:] = [focus or at[0], at[1] if page is None else page]
            steps.append("key:" + name)
            want.append(f"key {name} focus={at[0]} page={at[1]} open={opened}")

        def go(name, count):  # Tab or Shift+Tab, `count` times, along the round of the page shown
            ring = rings[str(at[1])]
            for _ in range(count):
                key(name, ring[(ring.index(at[0]) + (-1 if name == "+tab" else 1)) % len(ring)])

        for name, count in (("tab", 17), ("+tab", 17), ("tab", 3)):
            go(name, count)
        key("^tab", "m:tab", 1)
        steps.append("dump")
        go("tab", 9)
        key("^next", page=2)
        steps.append("dump")
        go("tab", 10)
        for name, page in (("^tab", 0), ("^+tab", 2), ("^prior", 1), ("^prior", 0), ("right", 1), ("left", 0)):
            key(name, page=page)
        go("tab", 1)
        key("f4", opened=1)
        key("esc")
        go("tab", 3)
        key("space")
        go("tab", 3)
        for name in ("right", "right", "enter"):
            key(name)
        steps.append("pause:enter")
        go("tab", 8)
        key("enter")
        steps.extend(["pause:applied", "dump"])
        go("+tab", 1)
        run = self.run("keys", game, steps + ["key:space"], {p: lambda g, p=p: seen.update({p: self.settings(g)})
                                                                for p in ("enter", "applied")})
        got = [line for line in run.lines if line.startswith("key ")]
        check(got[1:len(want) + 1] == want, f"keys: focus {got}, want {want}")
        check(got[:1] == ["key - focus=m:1012 page=0 open=0"], f"keys: focus at start {got[:1]}")
        orders = [line for line in run.lines if line.startswith("order ")]
        check(orders == [l for l in expected("keyboard.txt") if l.startswith("order ")], f"keys: orders {orders}")
        run.expect(0, expected("pages-default.txt") + ["1 1018 pos=12", "1 1071 check=1", "page 1 visible=1",
                                                        "page 0 visible=0"], pages=["1", "page"])
        run.expect(1, ["2 1063 pos=500", "2 1065 pos=700", "2 1069 check=0", "2 1067 sel=0", "2 1074 sel=1",
                       "2 1073 sel=1", "2 1066 text=Sound device", "page 2 visible=1", "page 1 visible=0"])
        run.expect(2, ["m tab sel=0", "0 1024 pos=92", "0 1006 check=1"])
        run.expect_end([], "1")
        self.expect_settings("keys-enter", seen.get("enter"), data("play-start.ini"))
        self.expect_settings("keys-applied", seen.get("applied"), data("keys-applied.ini"))

        run = self.run("keys-esc", game, ["ready", "key:down", "dump", "key:esc"])
        run.expect(0, ["m 1012 sel=1"])
        run.expect_end([], "1")
        self.expect_settings("keys-esc", self.settings(game), data("keys-applied.ini"))

    # A French game folder on a Russian Windows (code page 1251, where byte E9 is a Cyrillic
    # letter): the labels, the tab titles and the lists read as in French.
    def french_on_russian_windows(self):
        game = self.game(default_settings())
        shutil.rmtree(os.path.join(game, "DATA", "INI", "English"))
        run = self.run("russian", game, ["ready", "tab:1", "tab:2", "dump", "close"],
                       env={"LANG": "ru_RU.UTF-8", "LC_ALL": "ru_RU.UTF-8"})
        check(run.codepage == "1251", f"russian: Wine took code page {run.codepage}, not 1251")
        run.expect_end([], "1")
        run.expect(0, expected("french.txt") + [
            "m fit titles=Affichage|Jeu|Son", "2 1074 items=Mono|St\\xE9r\\xE9o",
            "m 1012 items=Personnalis\\xE9e|Vitesse maximale|Qualit\\xE9 maximale"])

    # The dialog on screens of 96, 120 and 144 DPI (copies of the test prefix), each page shown and
    # fitted (check_fit); at 96 DPI the tab control and the pages where they always were.
    def fit_to_screen(self):
        for dpi in (96, 120, 144):
            game = self.game(default_settings())
            env = {} if dpi == 96 else {"WINEPREFIX": self.host.dpi_prefix(dpi)}
            shot = {"shot": lambda g, dpi=dpi: self.host.screenshot(os.path.join(self.args.out, f"dpi{dpi}.png"))}
            steps = ["ready", "dump", "pause:shot", "tab:1", "dump", "tab:2", "dump", "close"]
            run = self.run(f"dpi{dpi}", game, steps, shot, env=env)
            run.expect_end([], "1")
            run.expect(0, expected("french.txt")[:4] if dpi == 96 else [])
            fit, tab = (run.dumps[0].get(k, {}) if run.dumps else {} for k in ("m fit", "m tab"))
            print(f"    {dpi} DPI: tab at {tab.get('at')} size {tab.get('size')}, dialog units {fit.get('units')}, "
                  f"display area {fit.get('display')}, list {fit.get('list')}, "
                  f"pages {fit.get('page0')} {fit.get('page1')} {fit.get('page2')} (left,top,right,bottom)")

    # Started with another current folder (a shortcut's "Start in", a launcher): the program
    # works in its own folder as if started there, whose name holds letters of no one code page,
    # says so in its debug output, and leaves the other folder as it was.
    def start_elsewhere(self):
        game = self.game(default_settings(), name="jeu-\u0416-\u00e9")
        elsewhere = os.path.join(os.path.dirname(game), "elsewhere")
        os.makedirs(os.path.join(elsewhere, "DATA", "INI"))
        run = self.run("elsewhere", game, ["ready", "dump", "close"], debug="+debugstr", cwd=elsewhere)
        run.expect_end([], "1")
        run.expect(0, ["m tab count=3", "page 0 visible=1", "m 1009 text=Apply"])
        self.expect_settings("elsewhere", self.settings(game), default_settings())
        with open(os.path.join(os.path.dirname(game), "wine.err"), "rb") as f:
            check(b"working in the program's folder" in f.read(), "elsewhere: no mark of the folder change")
        left = [os.path.join(d, f) for d, _, files in os.walk(elsewhere) for f in files]
        check(left == [], f"elsewhere: files made in the start folder: {left}")

    # Where Windows virtualizes the game ("C:\Program Files"): for a player without
    # administrator rights (Wine as nobody, on a folder root made) Apply writes the VirtualStore
    # copy the game reads, which the next start shows, and leaves the file as it was; beside a
    # copy made by hand (FAR 55, the file 80) the dialog shows 55 and Apply writes both.
    def virtual_store(self):
        sys.path.insert(0, os.path.join(HERE, "..", "Cli"))
        import wine_account
        for nobody in ([True] if wine_account.available() else []) + [False]:
            player = wine_account.Player(self.host.env, nobody)
            programs = {"VelmarkSetup.exe": self.args.program, "driver.exe": self.args.driver, "hook.dll": self.hook}
            game, where, copy = player.game(self.args.sample, programs, default_settings(), far=None if nobody else b"55")
            player.env["WINEDEBUG"] = "+debugstr"  # where the dialog notes what it did with the copy
            player.env["VELMARK_DIALOG_HOOK"] = where + "\\hook.dll"
            for shown, steps in (("55" if not nobody else "80", ["slider:0:1024:60", "apply"]), ("60", [])):
                proc = player.run([where + "\\driver.exe", where + "\\VelmarkSetup.exe", where, "ready", "dump"]
                                  + steps + ["close"])
                run = Run(f"vstore-{player.user}", proc.stdout.decode("ascii", "replace").splitlines())
                check(not run.fails, f"vstore-{player.user}: the driver says {run.fails}")
                run.expect(0, ["0 1024 pos=" + shown])
                run.expect_end([], "1")
                said = b"may not be written by this user: made and wrote the copy" if nobody else b"wrote the copy the game"
                check(not steps or said in proc.stderr, f"vstore-{player.user}: the dialog did not note {said}")
            got = (wine_account.far(self.path(game)), wine_account.far(copy))
            check(got == (b"80" if nobody else b"60", b"60"), f"vstore-{player.user}: FAR {got} in the file and the copy")
            player.clean()

    # The main job without a display: the three pages photographed, Apply pressed, the
    # settings file kept beside the pictures.
    def showcase(self):
        game = self.game()
        run = self.run("showcase", game, ["ready", "pause:page-display", "tab:1", "pause:page-game", "tab:2",
                                          "pause:page-audio", "apply", "exit"], self.shots())
        shutil.copy(self.path(game), os.path.join(self.args.out, "Config.ini"))
        print(f"message boxes {run.boxes}; exit code {run.exit}; screenshots and Config.ini in {self.args.out}")
        return 0 if run.exit == "1" else 1


SCENARIOS = ["first_start_in_french", "play", "no_localization", "keyboard", "french_on_russian_windows",
             "fit_to_screen", "start_elsewhere", "virtual_store"]


def main():
    parser = argparse.ArgumentParser()
    for name in ("program", "driver", "sample", "out"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--only", nargs="*", choices=SCENARIOS, default=SCENARIOS)
    parser.add_argument("--bench", type=int, default=0)
    parser.add_argument("--baseline", default="")
    for flag in ("--own-display", "--showcase"):
        parser.add_argument(flag, action="store_true")
    parser.add_argument("--wine", type=int, choices=(64, 32), default=64)
    args = parser.parse_args()
    winehost.select(args.wine)
    os.makedirs(args.out, exist_ok=True)
    tests = os.path.dirname(os.path.abspath(args.driver))
    with winehost.WineHost(args.own_display, None if args.showcase else winehost.test_dll("winmm", tests)) as host:
        scenarios = Scenarios(args, host, winehost.test_dll("hook", tests))
        if args.bench:  # a benchmark, not a test: its figures are Benchmarks/Startup's
            sys.path.insert(0, os.path.join(HERE, "..", "..", "Benchmarks", "Startup"))
            status = __import__("startup_bench").bench(scenarios, args.bench, args.baseline, default_settings())
        elif args.showcase:
            status = scenarios.showcase()
        else:
            for name in args.only:
                before = len(failures)
                for again in (False, True):  # once more after a Wine fault, in fresh folders
                    del failures[before:]
                    host.spun = None
                    getattr(scenarios, name)()
                    if not host.spun or again:
                        break
                    print(f"    {name}: {host.spun}; its server stopped, the scenario played again", flush=True)
                print(f"{'PASS' if len(failures) == before else 'FAIL'} {name}", flush=True)
            print(f"{len(failures)} checks failed" if failures else "all scenarios passed")
            status = 1 if failures else 0
        for folder in scenarios.folders:
            shutil.rmtree(folder, ignore_errors=True)
    print(f"artifacts: {args.out}")
    return status


if __name__ == "__main__":
    sys.exit(main())
