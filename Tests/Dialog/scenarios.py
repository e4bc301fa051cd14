#!/usr/bin/env python3
# The settings program as a player uses it, under 64-bit Wine, driven by driver.exe in fresh
# copies of the sample game folder. Each run checks the message boxes, the controls against
# expected/*.txt, "Player\Config.ini" byte for byte and the exit code. The expected settings
# files, by the rules of the defaults, presets, Apply and the written form:
#   ../Setup/data/default_config.ini  the 92 default keys, as a first start writes them;
#   play-start.ini         a player's mouse and sound values, FAR 90 and odd values in the ten
#                          fixed keys (Apply writes those back with their defaults);
#   play-applied.ini       what Apply makes of it (no sound device here: SOUND_DEVICE "-1");
#   play-mouse-10/20.ini   the same with the mouse slider at its ends, speeds 1.0 and 2.0;
#   play-best-quality.ini  best quality applied over the player's own values.
#
# Usage: scenarios.py --program EXE --driver EXE --sample DIR --out DIR [--only NAME...]
#                     [--bench N --baseline EXE | --showcase] [--own-display] [--wine 64|32]
# --wine 32 plays them on the i686 programs under 32-bit Wine, with a driver built for i686.
import argparse
import os
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import winehost  # noqa: E402

EXPECTED = os.path.join(HERE, "expected")
FILE_BOX = "CFileHarvel Error"
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


def expected(name):
    return [line for line in data(name).decode("latin-1").splitlines() if line.strip() and not line.startswith("#")]


# What the driver printed for one program run: boxes, dumps, readiness, exit code.
class Run:
    def __init__(self, name, lines):
        self.name, self.dumps = name, []
        self.boxes = [tuple(l[4:].split("|", 1)) for l in lines if l.startswith("box ")]
        self.exit = next((l[5:] for l in lines if l.startswith("exit ")), None)
        self.ready = next((l[6:] for l in lines if l.startswith("ready ")), "").split()
        self.start = next((int(l[6:]) for l in lines if l.startswith("start ")), 0)
        for fields in (l.split("\t") for l in lines if "\t" in l):
            if fields[:2] == ["m", "tab"]:
                self.dumps.append({})
            self.dumps[-1][fields[0] + " " + fields[1]] = dict(f.split("=", 1) for f in fields[2:])

    # The lines 'page control field=value...' (or 'page control text=rest of line') of `wanted`
    # hold in dump number `dump`, later lines overriding earlier ones; with `pages`, only theirs.
    def expect(self, dump, wanted, pages=None):
        want = {}
        for page, cid, rest in (line.split(" ", 2) for line in wanted):
            if pages is None or page in pages:
                want.setdefault(page + " " + cid, {}).update(
                    {"text": rest[5:]} if rest.startswith("text=") else dict(f.split("=") for f in rest.split()))
        for control, fields in want.items():
            got = self.dumps[dump].get(control, {}) if dump < len(self.dumps) else {}
            for field, value in fields.items():
                check(got.get(field) == value, f"{self.name} dump {dump}: {control} {field} is {got.get(field)!r}, want {value!r}")

    def expect_end(self, boxes, code):
        check(self.boxes == boxes and self.exit == code, f"{self.name}: boxes {self.boxes}, exit {self.exit}")


class Scenarios:
    def __init__(self, args, host):
        self.args, self.host, self.folders = args, host, []

    # A fresh game folder, with `contents` as its settings file when given.
    def game(self, contents=None, mode=0o644, program=None):
        self.folders.append(tempfile.mkdtemp(prefix="velmark-"))
        game = os.path.join(self.folders[-1], "game")
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

    def run(self, name, game, steps, pauses=None, debug="-all"):
        lines = self.host.drive(self.args.driver, game, steps, lambda p, g: pauses[p](g), debug)
        with open(os.path.join(self.args.out, f"{name}.log"), "w") as f:
            f.write("\n".join(lines) + "\n")
        return Run(name, lines)

    def shots(self):
        return {p: lambda g, p=p: self.host.screenshot(os.path.join(self.args.out, f"{p}.png")) for p in PAGES}

    # No settings file and no English folder: the file box, the defaults shown in French, an
    # idle processor, the pages photographed; the close box ends with 1 and the default file.
    def first_start_in_french(self):
        game = self.game()
        shutil.rmtree(os.path.join(game, "DATA", "INI", "English"))
        idle = {}
        run = self.run("first", game, ["ready", "dump", "pause:idle", "pause:page-display", "tab:1", "pause:page-game",
                                       "tab:2", "pause:page-audio", "dump", "close"],
                       {"idle": lambda g: idle.update(share=self.host.idle_share(g, 5.0)), **self.shots()})
        check(len(run.boxes) == 1 and run.boxes[0][0] == FILE_BOX and "Config.ini" in run.boxes[0][1],
              f"first: want one file box naming Config.ini: {run.boxes}")
        check(run.exit == "1", f"first: exit code {run.exit}, want 1")
        run.expect(0, ["m tab sel=0", "m 1012 sel=0", "page 0 visible=1 at=15,150"])
        run.expect(1, expected("pages-default.txt") + expected("french.txt"))
        self.expect_settings("first", self.settings(game), default_settings())
        print(f"    idle: {idle.get('share', -1) * 100:.1f}% of one core over 5 s")
        check(idle.get("share") is not None and idle["share"] < 0.25, f"first: idle program uses {idle}")

    # A read-only file with a player's values and odd fixed keys. Apply from the audio page,
    # best quality and back to user, the mouse slider's ends, best quality applied, changes
    # left unapplied at Exit. The next start shows what was applied; the file made read-only
    # then ends the program at Apply and stays as it was, with no other file beside it.
    def play(self):
        game, seen = self.game(data("play-start.ini"), mode=0o444), {}
        run = self.run("play", game, [
            "ready", "tab:2", "apply", "dump", "pause:applied",
            "tab:1", "slider:1:1016:33", "combo:m:1012:2", "dump", "tab:0", "dump",
            "tab:1", "combo:m:1012:0", "dump", "tab:0", "dump",
            "tab:1", "slider:1:1018:10", "apply", "pause:mouse-10", "slider:1:1018:20", "apply",
            "pause:mouse-20",
            "combo:m:1012:2", "apply", "dump", "pause:best-quality",
            "combo:0:1002:0", "click:0:1006", "slider:0:1024:55", "tab:1", "click:1:1071", "tab:2",
            "slider:2:1063:10", "exit"], {p: lambda g, p=p: seen.update({p: self.settings(g)})
                                          for p in ("applied", "mouse-10", "mouse-20", "best-quality")})
        run.expect_end([], "1")
        run.expect(0, ["m tab sel=0", "page 0 visible=1"])  # Apply ends on the display page
        mouse = ["1 1018 pos=12", "1 1071 check=1"]
        run.expect(1, expected("pages-high.txt") + mouse, pages="1")
        run.expect(2, expected("pages-high.txt"), pages="0")
        run.expect(3, expected("pages-default.txt") + mouse, pages="1")
        run.expect(4, expected("pages-default.txt") + ["0 1024 pos=90"], pages="0")
        run.expect(5, ["m 1012 sel=2"])
        for name in ("applied", "mouse-10", "mouse-20", "best-quality"):
            self.expect_settings(f"play-{name}", seen.get(name), data(f"play-{name}.ini"))
        self.expect_settings("play", self.settings(game), data("play-best-quality.ini"))
        check(os.stat(self.path(game)).st_mode & 0o200, "play: the file read-only at start is still read-only")

        run = self.run("next", game, ["ready", "dump", "pause:ro", "slider:0:1024:99", "apply"],
                       {"ro": lambda g: os.chmod(self.path(g), 0o444)})
        run.expect(0, expected("pages-high.txt") + ["m 1012 sel=0"], pages="0m")
        run.expect_end([(FILE_BOX, run.boxes[0][1] if run.boxes else ""), SAVE_FAILED], "-1")
        self.expect_settings("next", self.settings(game), data("play-best-quality.ini"))
        left = sorted(os.listdir(os.path.join(game, "Player")))
        check(left == [".keep", "Config.ini"], f"next: files left in Player: {left}")

    def no_localization(self):
        game = self.game(default_settings())
        os.remove(os.path.join(game, "DATA", "INI", "LocalizedStrings.ini"))
        run = self.run("noloc", game, ["ready"])
        check(run.ready == ["no-dialog"], f"noloc: a dialog appeared: {run.ready}")
        run.expect_end([(FILE_BOX, run.boxes[0][1] if run.boxes else ""),
                        ("WARNING", "Cannot find localization pack!")], "-1")
        self.expect_settings("noloc", self.settings(game), default_settings())

    # The main job without a display: the three pages photographed, Apply pressed, the
    # settings file kept beside the pictures.
    def showcase(self):
        game = self.game()
        run = self.run("showcase", game, ["ready", "pause:page-display", "tab:1", "pause:page-game", "tab:2",
                                          "pause:page-audio", "apply", "exit"], self.shots())
        shutil.copy(self.path(game), os.path.join(self.args.out, "Config.ini"))
        print(f"message boxes {run.boxes}; exit code {run.exit}; screenshots and Config.ini in {self.args.out}")
        return 0 if run.exit == "1" else 1


SCENARIOS = ["first_start_in_french", "play", "no_localization"]


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
    with winehost.WineHost(own_display=args.own_display) as host:
        scenarios = Scenarios(args, host)
        if args.bench:  # a benchmark, not a test: its figures are Benchmarks/Startup's
            sys.path.insert(0, os.path.join(HERE, "..", "..", "Benchmarks", "Startup"))
            status = __import__("startup_bench").bench(scenarios, args.bench, args.baseline, default_settings())
        elif args.showcase:
            status = scenarios.showcase()
        else:
            for name in args.only:
                before = len(failures)
                getattr(scenarios, name)()
                print(f"{'PASS' if len(failures) == before else 'FAIL'} {name}", flush=True)
            print(f"{len(failures)} checks failed" if failures else "all scenarios passed")
            status = 1 if failures else 0
        for folder in scenarios.folders:
            shutil.rmtree(folder, ignore_errors=True)
    print(f"artifacts: {args.out}")
    return status


if __name__ == "__main__":
    sys.exit(main())
