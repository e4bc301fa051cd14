#!/usr/bin/env python3
# VelmarkSettings.exe under 64-bit Wine in fresh copies of the sample game folder: a few
# commands with their exit codes, a message box printed instead of shown, and `preset quality`
# byte for byte against the file the dialog writes when best quality is chosen and applied.
# Usage: wine_cli.py TOOL.exe VelmarkSetup.exe driver.exe SAMPLE_DIR
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Dialog"))
import expected  # noqa: E402
import winehost  # noqa: E402

# The start of the dialog's scenario best_quality_apply_then_next_start.
PLAYER = {"MOUSE_SPEED": "1.200000", "INVERT_MOUSE": "1", "SOUND_SAMPLE": "500",
          "SOUND_STREAM": "700", "SOUND_ENABLE": "0"}


def main():
    tool, program, driver, sample = sys.argv[1:5]
    failures = []

    def game(name):
        folder = os.path.join(tempfile.mkdtemp(prefix=f"velmark-cli-{name}-"), "game")
        shutil.copytree(sample, folder)
        with open(os.path.join(folder, "Player", "Config.ini"), "wb") as f:
            f.write(expected.config_bytes(PLAYER))
        return folder

    def config(folder):
        with open(os.path.join(folder, "Player", "Config.ini"), "rb") as f:
            return f.read()

    def run(what, folder, args, code, out=b"", err=b""):
        proc = subprocess.run([winehost.LOADER, tool, "--game", winehost.windows_path(folder)] +
                              args, env=host.env, capture_output=True, timeout=120)
        ok = proc.returncode == code and out in proc.stdout and err in proc.stderr
        print(f"{'PASS' if ok else 'FAIL'} {what}: exit {proc.returncode}", flush=True)
        if not ok:
            failures.append(what)
            print(proc.stdout.decode("latin-1") + proc.stderr.decode("latin-1"))

    with winehost.WineHost() as host:
        dialog = game("dialog")
        shutil.copy(program, os.path.join(dialog, "VelmarkSetup.exe"))
        host.drive(driver, dialog, ["ready", "combo:m:1012:2", "apply", "exit"], lambda n, g: 0)
        folder = game("tool")
        run("show before", folder, ["show"], 0, b"configuration: the player's own")
        run("preset quality", folder, ["preset", "quality"], 0, b'OPTIONS FAR: "80" -> "100"')
        if config(folder) != config(dialog):
            failures.append("preset quality differs from the dialog's Apply")
        run("show after", folder, ["show", "--json"], 0, b'"configuration": "quality"')
        run("check clean", folder, ["check"], 0, b"nothing found")
        before = config(folder)
        run("set refused", folder, ["set", "FAR=150", "LOD=1"], 3, err=b"FAR takes a whole")
        run("get unknown", folder, ["get", "FAAR"], 2, err=b"nearest: FAR")
        os.chmod(os.path.join(folder, "Player", "Config.ini"), 0o444)
        run("box printed", folder, ["set", "FAR=60"], 4, err=b"[CFileHarvel Error]")
        if config(folder) != before:
            failures.append("a refused or failed write changed Config.ini")
        run("devices", folder, ["devices"], 0, b"no sound device found")
        run("strings", folder, ["strings", "check"], 0, b"nothing found")
        os.remove(os.path.join(folder, "Player", "Config.ini"))
        run("missing", folder, ["get", "FAR"], 4, err=b"is missing")
        if os.path.exists(os.path.join(folder, "Player", "Config.ini")):
            failures.append("reading a missing Config.ini created it")
    print(f"{len(failures)} failed: {failures}" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
