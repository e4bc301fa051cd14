#!/usr/bin/env python3
"""The settings program as a player uses it: each scenario runs VelmarkSetup.exe under 64-bit
Wine in a fresh copy of the sample game folder, driven by driver.exe, and checks the message
boxes, the controls, "Player\\Config.ini" byte for byte and the exit code.

Usage: scenarios.py --program EXE --driver EXE --sample DIR --out DIR [--only NAME...]
                    [--bench N | --showcase] [--own-display]
Without $DISPLAY (or with --own-display) it starts its own Xvfb."""
import argparse
import os
import shutil
import stat
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import expected  # noqa: E402  (hand-written expectations)
import winehost  # noqa: E402

FILE_BOX = "CFileHarvel Error"
SAVE_FAILED = ("Sauvegarde du fichier 'Config.ini' impossible\\n"
               "Le fichier est peut-etre en lecture seule")
NO_DEVICE = {"SOUND_DEVICE": "-1"}  # the test prefix has no sound device
SCENARIOS = []


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def scenario(method):
    SCENARIOS.append(method.__name__)
    return method


class Run:
    """One driver run: boxes, dumped controls, readiness and exit code."""

    def __init__(self, lines):
        self.boxes = [tuple(l[4:].split("|", 1)) for l in lines if l.startswith("box ")]
        self.exit = next((l[5:] for l in lines if l.startswith("exit ")), None)
        self.ready = [l for l in lines if l.startswith("ready ")]
        self.dumps = []
        for l in lines:
            if l.startswith("m tab sel="):
                self.dumps.append({})
            if self.dumps and (l[:2] in ("m ", "0 ", "1 ", "2 ") or l.startswith("page ")):
                parts = l.split(" ", 2) + [""]
                self.dumps[-1][(parts[0], parts[1])] = parts[2]

    def control(self, dump, page, cid, field):
        text = self.dumps[dump].get((str(page), str(cid)))
        check(text is not None, f"control {page}/{cid} missing in dump {dump}")
        if field == "text":  # texts hold blanks: everything up to the last field
            check("text=" in text, f"no text for {page}/{cid}: {text}")
            return text.split("text=", 1)[1].rsplit(" enabled=", 1)[0]
        for token in text.split(" "):
            if token.startswith(field + "="):
                return token[len(field) + 1:]
        raise Failure(f"no {field} for {page}/{cid}: {text}")

    def expect(self, dump, wanted):
        for (page, cid, field), value in wanted.items():
            got = self.control(dump, page, cid, field)
            check(got == str(value), f"dump {dump}: {page}/{cid} {field} is {got}, want {value}")

    def expect_quiet(self, code="1"):
        check(self.boxes == [] and self.exit == code, f"boxes {self.boxes}, exit {self.exit}")


class Scenarios:
    def __init__(self, args, host):
        self.args, self.host, self.out = args, host, args.out
        self.startups = []

    def game(self, name, options=None, mode=None):
        """A fresh game folder; with `options` (or `mode`) a settings file written in it."""
        self.current = name
        game = os.path.join(tempfile.mkdtemp(prefix=f"velmark-{name}-"), "game")
        shutil.copytree(self.args.sample, game)
        shutil.copy(self.args.program, os.path.join(game, "VelmarkSetup.exe"))
        self.before = None
        if options is not None or mode is not None:
            self.before = expected.config_bytes(options or {})
            with open(self.config(game), "wb") as f:
                f.write(self.before)
            if mode is not None:
                os.chmod(self.config(game), mode)
        return game

    def config(self, game):
        return os.path.join(game, "Player", "Config.ini")

    def read_config(self, game):
        with open(self.config(game), "rb") as f:
            return f.read()

    def expect_config(self, game, options=None):
        """Config.ini is the defaults with `options`, or unchanged when none are given."""
        want = self.before if options is None else expected.config_bytes(options)
        got = self.read_config(game)
        if got != want:
            for kind, data in (("got", got), ("want", want)):
                with open(os.path.join(self.out, f"{self.current}.{kind}.ini"), "wb") as f:
                    f.write(data)
            raise Failure(f"Config.ini differs (see {self.current}.got.ini / .want.ini)")

    def shoot(self, name, game):
        self.host.screenshot(os.path.join(self.out, f"{name}.png"))

    def drive(self, game, steps, on_pause=None):
        lines = self.host.drive(self.args.driver, game, steps, on_pause or (lambda n, g: None))
        with open(os.path.join(self.out, f"{self.current}.log"), "a") as f:
            f.write("\n".join(lines) + "\n")
        run = Run(lines)
        self.startups += [int(r.split()[1]) for r in run.ready if r.endswith(" ms")]
        return run

    @scenario
    def start_without_settings_file(self):
        game = self.game("fresh")
        run = self.drive(game, ["ready", "dump", "tab:1", "dump", "tab:2", "dump", "close"])
        check(len(run.boxes) == 1 and run.boxes[0][0] == FILE_BOX and
              "Config.ini" in run.boxes[0][1], f"want one file box naming Config.ini: {run.boxes}")
        run.expect(0, {**expected.DEFAULT_DISPLAY_PAGE, ("m", 1012, "sel"): 0,
                       ("m", "tab", "sel"): 0})
        run.expect(1, expected.DEFAULT_GAME_PAGE)
        run.expect(2, expected.DEFAULT_AUDIO_PAGE)
        check(run.exit == "1", f"exit code {run.exit}, want 1")
        self.expect_config(game, {})

    @scenario
    def apply_right_after_start(self):
        # Odd values in the ten fixed keys; a shown value that is not the default.
        game = self.game("apply", {
            "FAR": "90", "TERRAINSIZE": "Low", "SOUND_GLOBAL": "3", "SUN": "5.000000",
            "FORESTSIZE": "1.000000", "TEXTURINGBIL": "NONE", "TEXTURINGFOREST": "NONE",
            "TEXTURINGSHADOWS": "NONE", "TEXTURINGTERRAIN": "NONE", "ENABLEMANAGEPICKING": "0",
            "MIPMAP": "1"})
        run = self.drive(game, ["ready", "tab:2", "apply", "dump", "exit"])
        run.expect_quiet()
        self.expect_config(game, {**NO_DEVICE, "FAR": "90"})
        # Apply from the audio page ends on the display page.
        run.expect(0, {("m", "tab", "sel"): 0})
        check(run.dumps[0][("page", "0")].startswith("visible=1"), "display page shown")

    @scenario
    def best_quality_refills_game_page(self):
        game = self.game("bestq", {"MOUSE_SPEED": "1.200000", "INVERT_MOUSE": "1"})
        run = self.drive(game, ["ready", "tab:1", "slider:1:1016:33", "combo:m:1012:2", "dump",
                                "tab:0", "dump", "tab:1", "combo:m:1012:0", "dump", "tab:0",
                                "dump", "exit"])
        run.expect_quiet()
        mouse = {(1, 1018, "pos"): 12, (1, 1071, "check"): 1}
        run.expect(0, {**expected.HIGH_GAME_PAGE, **mouse})
        run.expect(1, expected.HIGH_DISPLAY_PAGE)
        run.expect(2, {**expected.DEFAULT_GAME_PAGE, **mouse})
        run.expect(3, expected.DEFAULT_DISPLAY_PAGE)
        self.expect_config(game)

    @scenario
    def best_quality_apply_then_next_start(self):
        player = {"MOUSE_SPEED": "1.200000", "INVERT_MOUSE": "1", "SOUND_SAMPLE": "500",
                  "SOUND_STREAM": "700", "SOUND_ENABLE": "0"}
        game = self.game("bestq-apply", player)
        run = self.drive(game, ["ready", "combo:m:1012:2", "apply", "dump", "exit"])
        run.expect_quiet()
        run.expect(0, {("m", 1012, "sel"): 2})
        self.expect_config(game, {**expected.HIGH_VALUES, **player, **NO_DEVICE})
        run = self.drive(game, ["ready", "dump", "close"])
        run.expect(0, {**expected.HIGH_DISPLAY_PAGE, ("m", 1012, "sel"): 0})
        check(run.exit == "1", f"second start exit {run.exit}")

    @scenario
    def mouse_speed_ends_of_the_slider(self):
        game = self.game("mouse", {})
        seen = {}
        run = self.drive(game, ["ready", "tab:1", "slider:1:1018:10", "apply", "pause:at10",
                                "slider:1:1018:20", "apply", "pause:at20", "exit"],
                         lambda name, g: seen.update({name: self.read_config(g)}))
        run.expect_quiet()
        for name, speed in (("at10", "1.000000"), ("at20", "2.000000")):
            want = expected.config_bytes({**NO_DEVICE, "MOUSE_SPEED": speed})
            check(seen.get(name) == want, f"MOUSE_SPEED after {name} is not {speed}")

    @scenario
    def read_only_after_start_ends_with_save_error(self):
        game = self.game("ro-after", {"FAR": "60"})
        run = self.drive(game, ["ready", "pause:ro", "slider:0:1024:99", "apply"],
                         lambda name, g: os.chmod(self.config(g), 0o444))
        check(len(run.boxes) == 2 and run.boxes[0][0] == FILE_BOX and
              run.boxes[1] == ("ERROR", SAVE_FAILED), f"boxes {run.boxes}")
        check(run.exit == "-1", f"exit code {run.exit}, want -1")
        self.expect_config(game)
        leftovers = sorted(os.listdir(os.path.join(game, "Player")))
        check(leftovers == [".keep", "Config.ini"], f"files left in Player: {leftovers}")

    @scenario
    def missing_localization_ends_before_any_window(self):
        game = self.game("noloc", {"FAR": "60"})
        os.remove(os.path.join(game, "DATA", "INI", "LocalizedStrings.ini"))
        run = self.drive(game, ["ready"])
        check(run.ready == ["ready no-dialog"], f"a dialog appeared: {run.ready}")
        check([b[0] for b in run.boxes[:1]] == [FILE_BOX] and
              run.boxes[1:] == [("WARNING", "Cannot find localization pack!")],
              f"boxes {run.boxes}")
        check(run.exit == "-1", f"exit code {run.exit}, want -1")
        self.expect_config(game)

    @scenario
    def read_only_at_start_is_made_writable(self):
        game = self.game("ro-start", mode=0o444)
        self.drive(game, ["ready", "slider:0:1014:55", "apply", "exit"]).expect_quiet()
        self.expect_config(game, {**NO_DEVICE, "TERRAINQUALITY": "55"})
        check(os.stat(self.config(game)).st_mode & stat.S_IWUSR, "file still read-only")

    @scenario
    def exit_discards_unapplied_changes(self):
        game = self.game("discard", {})
        self.drive(game, ["ready", "combo:0:1002:1", "click:0:1006", "slider:0:1024:55", "tab:1",
                          "click:1:1071", "tab:2", "slider:2:1063:10", "exit"]).expect_quiet()
        self.expect_config(game)

    @scenario
    def french_labels_and_screenshots(self):
        game = self.game("french", {})
        shutil.rmtree(os.path.join(game, "DATA", "INI", "English"))
        run = self.drive(game, ["ready", "pause:page-display", "dump", "tab:1",
                                "pause:page-game", "dump", "tab:2", "pause:page-audio", "dump",
                                "exit"], self.shoot)
        run.expect_quiet()
        texts = expected.localized_texts(self.args.sample, "French")
        labels = [(page, page, cid, key) for page in (0, 1, 2)
                  for cid, key in expected.PAGE_LABELS[page]]
        for dump, page, cid, key in labels + [(0, "m", 1009, "E_SETUP_APPLY"),
                                              (0, "m", 1010, "E_SETUP_CANCEL")]:
            got = run.control(dump, page, cid, "text")
            check(got == texts[key], f"label {page}/{cid}: {got!r}, want {texts[key]!r} ({key})")
        run.expect(0, {("m", "tab", "rect"): "10,120,650,270"})
        check(run.dumps[0][("page", "0")] == "visible=1 at=15,150", "display page placement")

    @scenario
    def idle_dialog_leaves_the_processor_alone(self):
        game = self.game("idle", {})
        figures = {}
        run = self.drive(game, ["ready", "pause:idle", "exit"],
                         lambda name, g: figures.update(share=self.host.idle_share(g, 5.0)))
        check(run.exit == "1", f"exit {run.exit}")
        share = figures.get("share")
        check(share is not None, "program process not found")
        print(f"    idle: {share * 100:.1f}% of one core over 5 s")
        check(share < 0.25, f"idle program uses {share * 100:.1f}% of a core")

    def run(self, names):
        failed = []
        for name in names:
            started = time.time()
            try:
                getattr(self, name)()
                print(f"PASS {name} ({time.time() - started:.1f} s)", flush=True)
            except Failure as e:
                print(f"FAIL {name}: {e}", flush=True)
                failed.append(name)
        return failed

    def showcase(self):
        """The main job without a display: the three pages photographed, Apply pressed, the
        settings file kept beside the pictures."""
        game = self.game("showcase")
        run = self.drive(game, ["ready", "pause:page-display", "tab:1", "pause:page-game",
                                "tab:2", "pause:page-audio", "apply", "exit"], self.shoot)
        shutil.copy(self.config(game), os.path.join(self.out, "Config.ini"))
        for caption, text in run.boxes:
            print(f"message box: {caption}: {text}")
        print(f"exit code {run.exit}; screenshots and Config.ini in {self.out}")
        return 0 if run.exit == "1" else 1

    def bench(self, count):
        game = self.game("bench", {})
        for _ in range(count):
            self.drive(game, ["ready", "exit"])
        s = sorted(self.startups)
        print(f"start-up to dialog ready, {len(s)} runs: median {s[len(s) // 2]} ms, "
              f"min {s[0]} ms, max {s[-1]} ms")
        return 0


def main():
    parser = argparse.ArgumentParser()
    for name in ("program", "driver", "sample", "out"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--bench", type=int, default=0)
    parser.add_argument("--own-display", action="store_true")
    parser.add_argument("--showcase", action="store_true")
    args = parser.parse_args()
    for path in (args.program, args.driver):
        if not os.path.isfile(path):
            sys.exit(f"missing: {path}")
    unknown = sorted(set(args.only or []) - set(SCENARIOS))
    if unknown:
        sys.exit(f"unknown scenario: {', '.join(unknown)}; known: {', '.join(SCENARIOS)}")
    os.makedirs(args.out, exist_ok=True)
    for f in os.listdir(args.out):
        if f.endswith(".log"):
            os.remove(os.path.join(args.out, f))
    with winehost.WineHost(own_display=args.own_display) as host:
        scenarios = Scenarios(args, host)
        if args.showcase:
            return scenarios.showcase()
        if args.bench:
            return scenarios.bench(args.bench)
        failed = scenarios.run(args.only or SCENARIOS)
    print(f"{len(failed)} failed" if failed else "all scenarios passed")
    print(f"artifacts: {args.out}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
