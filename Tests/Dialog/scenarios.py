#!/usr/bin/env python3
"""The settings program as a player uses it: each scenario runs VelmarkSetup.exe under 64-bit
Wine in a fresh copy of the sample game folder, driven by driver.exe, and checks the message
boxes, the controls, "Player\\Config.ini" byte for byte and the exit code.

Usage: scenarios.py --program VelmarkSetup.exe --driver driver.exe --sample SampleGame
                    --out ARTIFACTS [--only NAME...] [--bench N]
Without $DISPLAY (or with --own-display) it starts its own Xvfb. Exit status 0 when every
scenario passed.
"""
import argparse
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import expected  # noqa: E402  (hand-written expectations)
import winehost  # noqa: E402

FILE_BOX = "CFileHarvel Error"
SAVE_FAILED = ("Sauvegarde du fichier 'Config.ini' impossible\\n"
               "Le fichier est peut-etre en lecture seule")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Run:
    """The result of one driver run: boxes, dumped controls, readiness and exit code."""

    def __init__(self, lines):
        self.lines = lines
        self.boxes = [tuple(l[4:].split("|", 1)) for l in lines if l.startswith("box ")]
        self.exit = next((l[5:] for l in lines if l.startswith("exit ")), None)
        self.ready = [l for l in lines if l.startswith("ready ")]
        self.dumps = []
        current = None
        for l in lines:
            if l.startswith("m tab sel="):
                current = {}
                self.dumps.append(current)
            if current is not None and (l[:2] in ("m ", "0 ", "1 ", "2 ") or
                                        l.startswith("page ")):
                parts = l.split(" ", 2)
                current[(parts[0], parts[1])] = parts[2] if len(parts) > 2 else ""

    def control(self, dump, page, cid, field):
        text = self.dumps[dump].get((str(page), str(cid)))
        check(text is not None, f"control {page}/{cid} missing in dump {dump}")
        if field == "text":
            # Texts hold blanks: everything between "text=" and the last field.
            check("text=" in text, f"no text for {page}/{cid}: {text}")
            return text.split("text=", 1)[1].rsplit(" enabled=", 1)[0]
        for token in text.split(" "):
            if token.startswith(field + "="):
                return token[len(field) + 1:]
        raise Failure(f"no {field} for {page}/{cid}: {text}")

    def expect_controls(self, dump, wanted):
        for (page, cid, field), value in wanted.items():
            got = self.control(dump, page, cid, field)
            check(got == str(value), f"dump {dump}: {page}/{cid} {field} is {got}, want {value}")


class Scenarios:
    def __init__(self, args, host):
        self.args = args
        self.host = host
        self.out = args.out
        self.startups = []

    # -- vocabulary --------------------------------------------------------------------------
    def game(self, name):
        folder = tempfile.mkdtemp(prefix=f"velmark-{name}-")
        game = os.path.join(folder, "game")
        shutil.copytree(self.args.sample, game)
        shutil.copy(self.args.program, os.path.join(game, "VelmarkSetup.exe"))
        return game

    def config_path(self, game):
        return os.path.join(game, "Player", "Config.ini")

    def write_config(self, game, options=None, mode=None):
        data = expected.config_bytes(options or {})
        with open(self.config_path(game), "wb") as f:
            f.write(data)
        if mode is not None:
            os.chmod(self.config_path(game), mode)
        return data

    def read_config(self, game):
        with open(self.config_path(game), "rb") as f:
            return f.read()

    def expect_config(self, game, data, what):
        got = self.read_config(game)
        if got != data:
            with open(os.path.join(self.out, f"{what}.got.ini"), "wb") as f:
                f.write(got)
            with open(os.path.join(self.out, f"{what}.want.ini"), "wb") as f:
                f.write(data)
            raise Failure(f"{what}: Config.ini differs (see {what}.got.ini / .want.ini)")

    def drive(self, game, steps, on_pause=None):
        lines = self.host.drive(self.args.driver, game, steps, on_pause or (lambda n, g: None))
        with open(os.path.join(self.out, f"{self.current}.log"), "a") as f:
            f.write("\n".join(lines) + "\n")
        run = Run(lines)
        for r in run.ready:
            if r.endswith(" ms"):
                self.startups.append(int(r.split()[1]))
        return run

    # -- scenarios ---------------------------------------------------------------------------
    def start_without_settings_file(self):
        game = self.game("fresh")
        run = self.drive(game, ["ready", "dump", "tab:1", "dump", "tab:2", "dump", "close"])
        check(len(run.boxes) == 1 and run.boxes[0][0] == FILE_BOX,
              f"want one file box, got {run.boxes}")
        check("Config.ini" in run.boxes[0][1], "the file box names Config.ini")
        run.expect_controls(0, expected.DEFAULT_DISPLAY_PAGE)
        run.expect_controls(1, expected.DEFAULT_GAME_PAGE)
        run.expect_controls(2, expected.DEFAULT_AUDIO_PAGE)
        run.expect_controls(0, {("m", 1012, "sel"): 0, ("m", "tab", "sel"): 0})
        check(run.exit == "1", f"exit code {run.exit}, want 1")
        self.expect_config(game, expected.config_bytes({}), "fresh")

    def apply_right_after_start(self):
        game = self.game("apply")
        # Odd values in the ten fixed keys; a shown value that is not the default.
        self.write_config(game, {"FAR": "90", "TERRAINSIZE": "Low", "SOUND_GLOBAL": "3",
                                 "SUN": "5.000000", "FORESTSIZE": "1.000000",
                                 "TEXTURINGBIL": "NONE", "TEXTURINGFOREST": "NONE",
                                 "TEXTURINGSHADOWS": "NONE", "TEXTURINGTERRAIN": "NONE",
                                 "ENABLEMANAGEPICKING": "0", "MIPMAP": "1"})
        run = self.drive(game, ["ready", "tab:2", "apply", "dump", "exit"])
        check(run.boxes == [], f"no box expected, got {run.boxes}")
        check(run.exit == "1", f"exit code {run.exit}")
        # No sound device under the test prefix: the device list has no selection.
        self.expect_config(game, expected.config_bytes({"FAR": "90", "SOUND_DEVICE": "-1"}),
                           "apply")
        # Apply from the audio page ends on the display page.
        run.expect_controls(0, {("m", "tab", "sel"): 0})
        check(run.dumps[0][("page", "0")].startswith("visible=1"), "display page shown")

    def best_quality_refills_game_page(self):
        game = self.game("bestq")
        before = self.write_config(game, {"MOUSE_SPEED": "1.200000", "INVERT_MOUSE": "1"})
        run = self.drive(game, ["ready", "tab:1", "slider:1:1016:33", "combo:m:1012:2", "dump",
                                "tab:0", "dump", "tab:1", "combo:m:1012:0", "dump", "tab:0",
                                "dump", "exit"])
        check(run.boxes == [], f"no box expected, got {run.boxes}")
        high_game = dict(expected.HIGH_GAME_PAGE)
        high_game.update({(1, 1018, "pos"): 12, (1, 1071, "check"): 1})
        run.expect_controls(0, high_game)
        run.expect_controls(1, expected.HIGH_DISPLAY_PAGE)
        user_game = dict(expected.DEFAULT_GAME_PAGE)
        user_game.update({(1, 1018, "pos"): 12, (1, 1071, "check"): 1})
        run.expect_controls(2, user_game)
        run.expect_controls(3, expected.DEFAULT_DISPLAY_PAGE)
        check(run.exit == "1", f"exit code {run.exit}")
        self.expect_config(game, before, "bestq-unchanged")

    def best_quality_apply_then_next_start(self):
        game = self.game("bestq-apply")
        player = {"MOUSE_SPEED": "1.200000", "INVERT_MOUSE": "1", "SOUND_SAMPLE": "500",
                  "SOUND_STREAM": "700", "SOUND_ENABLE": "0"}
        self.write_config(game, player)
        run = self.drive(game, ["ready", "combo:m:1012:2", "apply", "dump", "exit"])
        check(run.boxes == [] and run.exit == "1", f"boxes {run.boxes}, exit {run.exit}")
        run.expect_controls(0, {("m", 1012, "sel"): 2})
        after = dict(expected.HIGH_VALUES)
        after.update(player)
        after["SOUND_DEVICE"] = "-1"
        self.expect_config(game, expected.config_bytes(after), "bestq-apply")
        run = self.drive(game, ["ready", "dump", "close"])
        run.expect_controls(0, {("m", 1012, "sel"): 0})
        run.expect_controls(0, expected.HIGH_DISPLAY_PAGE)
        check(run.exit == "1", f"second start exit {run.exit}")

    def mouse_speed_ends_of_the_slider(self):
        game = self.game("mouse")
        self.write_config(game)
        seen = {}

        def on_pause(name, g):
            seen[name] = self.read_config(g)

        run = self.drive(game, ["ready", "tab:1", "slider:1:1018:10", "apply", "pause:at10",
                                "slider:1:1018:20", "apply", "pause:at20", "exit"], on_pause)
        check(run.boxes == [] and run.exit == "1", f"boxes {run.boxes}, exit {run.exit}")
        for name, speed in (("at10", "1.000000"), ("at20", "2.000000")):
            want = expected.config_bytes({"MOUSE_SPEED": speed, "SOUND_DEVICE": "-1"})
            check(seen.get(name) == want, f"MOUSE_SPEED after {name} is not {speed}")

    def read_only_after_start_ends_with_save_error(self):
        game = self.game("ro-after")
        before = self.write_config(game, {"FAR": "60"})

        def make_read_only(name, g):
            os.chmod(self.config_path(g), 0o444)
            print("    made read-only:", oct(os.stat(self.config_path(g)).st_mode))

        run = self.drive(game, ["ready", "pause:ro", "slider:0:1024:99", "apply"],
                         make_read_only)
        check(len(run.boxes) == 2, f"want two boxes, got {run.boxes}")
        check(run.boxes[0][0] == FILE_BOX, f"first box {run.boxes[0]}")
        check(run.boxes[1] == ("ERROR", SAVE_FAILED), f"second box {run.boxes[1]}")
        check(run.exit == "-1", f"exit code {run.exit}, want -1")
        self.expect_config(game, before, "ro-after")
        leftovers = sorted(os.listdir(os.path.join(game, "Player")))
        check(leftovers == [".keep", "Config.ini"], f"files left in Player: {leftovers}")

    def missing_localization_ends_before_any_window(self):
        game = self.game("noloc")
        before = self.write_config(game, {"FAR": "60"})
        os.remove(os.path.join(game, "DATA", "INI", "LocalizedStrings.ini"))
        run = self.drive(game, ["ready"])
        check(run.ready == ["ready no-dialog"], f"a dialog appeared: {run.ready}")
        check([b[0] for b in run.boxes] == [FILE_BOX, "WARNING"], f"boxes {run.boxes}")
        check(run.boxes[1][1] == "Cannot find localization pack!", f"warning {run.boxes[1]}")
        check(run.exit == "-1", f"exit code {run.exit}, want -1")
        self.expect_config(game, before, "noloc")

    def read_only_at_start_is_made_writable(self):
        game = self.game("ro-start")
        self.write_config(game, mode=0o444)
        run = self.drive(game, ["ready", "slider:0:1014:55", "apply", "exit"])
        check(run.boxes == [] and run.exit == "1", f"boxes {run.boxes}, exit {run.exit}")
        self.expect_config(game, expected.config_bytes({"TERRAINQUALITY": "55",
                                                         "SOUND_DEVICE": "-1"}), "ro-start")
        check(os.stat(self.config_path(game)).st_mode & stat.S_IWUSR, "file still read-only")

    def exit_discards_unapplied_changes(self):
        game = self.game("discard")
        before = self.write_config(game)
        run = self.drive(game, ["ready", "combo:0:1002:1", "click:0:1006", "slider:0:1024:55",
                                "tab:1", "click:1:1071", "tab:2", "slider:2:1063:10", "exit"])
        check(run.boxes == [] and run.exit == "1", f"boxes {run.boxes}, exit {run.exit}")
        self.expect_config(game, before, "discard")

    def french_labels_and_screenshots(self):
        game = self.game("french")
        shutil.rmtree(os.path.join(game, "DATA", "INI", "English"))
        self.write_config(game)

        def shoot(name, g):
            self.host.screenshot(os.path.join(self.out, f"{name}.png"))

        run = self.drive(game, ["ready", "pause:page-display", "dump", "tab:1",
                                "pause:page-game", "dump", "tab:2", "pause:page-audio", "dump",
                                "exit"], shoot)
        check(run.boxes == [] and run.exit == "1", f"boxes {run.boxes}, exit {run.exit}")
        texts = expected.localized_texts(self.args.sample, "French")
        for dump, page in ((0, 0), (1, 1), (2, 2)):
            for cid, key in expected.PAGE_LABELS[page]:
                want = texts[key]
                got = run.control(dump, page, cid, "text")
                check(got == want, f"label {page}/{cid}: {got!r}, want {want!r} ({key})")
        for cid, key in ((1009, "E_SETUP_APPLY"), (1010, "E_SETUP_CANCEL")):
            check(run.control(0, "m", cid, "text") == texts[key], f"button {cid}")
        run.expect_controls(0, {("m", "tab", "rect"): "10,120,650,270"})
        check(run.dumps[0][("page", "0")] == "visible=1 at=15,150", "display page placement")

    def idle_dialog_leaves_the_processor_alone(self):
        game = self.game("idle")
        self.write_config(game)
        figures = {}

        def measure(name, g):
            figures["share"] = self.host.idle_share(g, 5.0)

        run = self.drive(game, ["ready", "pause:idle", "exit"], measure)
        check(run.exit == "1", f"exit {run.exit}")
        share = figures.get("share")
        check(share is not None, "program process not found")
        print(f"    idle: {share * 100:.1f}% of one core over 5 s")
        check(share < 0.25, f"idle program uses {share * 100:.1f}% of a core")

    ALL = ["start_without_settings_file", "apply_right_after_start",
           "best_quality_refills_game_page", "best_quality_apply_then_next_start",
           "mouse_speed_ends_of_the_slider", "read_only_after_start_ends_with_save_error",
           "missing_localization_ends_before_any_window", "read_only_at_start_is_made_writable",
           "exit_discards_unapplied_changes", "french_labels_and_screenshots",
           "idle_dialog_leaves_the_processor_alone"]

    def run(self, names):
        failed = []
        for name in names:
            self.current = name
            started = time.time()
            try:
                getattr(self, name)()
                print(f"PASS {name} ({time.time() - started:.1f} s)")
            except Failure as e:
                print(f"FAIL {name}: {e}")
                failed.append(name)
            sys.stdout.flush()
        return failed

    def showcase(self):
        """The main job without a display: the three pages photographed, Apply pressed, the
        settings file kept beside the pictures."""
        game = self.game("main")
        self.current = "showcase"

        def shoot(name, g):
            self.host.screenshot(os.path.join(self.out, f"{name}.png"))

        run = self.drive(game, ["ready", "pause:page-display", "tab:1", "pause:page-game",
                                "tab:2", "pause:page-audio", "apply", "exit"], shoot)
        shutil.copy(self.config_path(game), os.path.join(self.out, "Config.ini"))
        for caption, text in run.boxes:
            print(f"message box: {caption}: {text}")
        print(f"exit code {run.exit}; screenshots and Config.ini in {self.out}")
        return 0 if run.exit == "1" else 1

    def bench(self, count):
        game = self.game("bench")
        self.write_config(game)
        self.current = "bench"
        self.startups = []
        for _ in range(count):
            self.drive(game, ["ready", "exit"])
        s = sorted(self.startups)
        print(f"start-up to dialog ready, {len(s)} runs: median {s[len(s) // 2]} ms, "
              f"min {s[0]} ms, max {s[-1]} ms")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--sample", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--bench", type=int, default=0)
    parser.add_argument("--own-display", action="store_true")
    parser.add_argument("--showcase", action="store_true")
    args = parser.parse_args()
    for path in (args.program, args.driver):
        if not os.path.isfile(path):
            print(f"missing: {path}")
            return 1
    os.makedirs(args.out, exist_ok=True)
    for f in os.listdir(args.out):
        if f.endswith(".log"):
            os.remove(os.path.join(args.out, f))
    with winehost.WineHost(own_display=args.own_display) as host:
        scenarios = Scenarios(args, host)
        if args.showcase:
            return scenarios.showcase()
        if args.bench:
            scenarios.bench(args.bench)
            return 0
        failed = scenarios.run(args.only or Scenarios.ALL)
    print(f"{len(failed)} failed" if failed else "all scenarios passed")
    print(f"artifacts: {args.out}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
