#!/usr/bin/env python3
# VelmarkSettings.exe under Wine in fresh copies of the sample game folder: a few
# commands with their exit codes, a message box printed instead of shown, a name typed in a
# UTF-8 terminal stored in Windows-1252 and shown back, a game folder of any name, and `preset
# quality` byte for byte against the file the dialog writes when best quality is applied over
# the same player file (the dialog scenarios check that file). Then what a person sees: the
# screen of a UTF-8 terminal (tmux) running the tool in Wine's console, and the bytes it writes
# into files from consoles of three code pages.
# Usage: wine_cli.py TOOL.exe SAMPLE_DIR [--wine 64|32]   (32: the i686 tool under 32-bit Wine)
# The tool runs on a scripted sound card; where no MinGW is, VELMARK_TEST_DLLS names the folder
# of the test DLLs (winehost.test_dll).
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Dialog"))
import scenarios  # noqa: E402
import winehost  # noqa: E402


# On the scripted sound card (Tests/Dialog/winmm.cpp: three devices, the second busy) `devices`
# lists the two that open by their place in the list: as text in the ANSI code page, as JSON in
# UTF-8 with the audio layer's device numbers.
def scripted_devices(run, folder):
    run("devices", folder, ["devices"], 0,
        b"SOUND_DEVICE=0: Speakers (Scripted Audio)\r\nSOUND_DEVICE=1: Sortie num\xe9rique\r\n")
    run("devices JSON", folder, ["devices", "--json"], 0,
        b'{\r\n  "devices": [\r\n    {\r\n      "SOUND_DEVICE": 0,\r\n      "name": "Speakers (Scripted Audio)",'
        b'\r\n      "device_number": 0\r\n    },\r\n    {\r\n      "SOUND_DEVICE": 1,\r\n'
        b'      "name": "Sortie num\xc3\xa9rique",\r\n      "device_number": 2\r\n    }\r\n  ]\r\n}\r\n')


class Terminal:
    """A tmux server of our own; each command runs in a fresh window, whose screen is read back."""

    def __init__(self, env):
        self.tmux, self.env = ["tmux", "-L", f"velmark-cli-{os.getpid()}", "-u", "-f", "/dev/null"], env
        self.call("new", "-d", "-x", "150", "-y", "50", "sleep 3600")
        self.call("set-option", "-g", "remain-on-exit", "on")

    def call(self, *args):
        return subprocess.run(self.tmux + list(args), env=self.env, check=True, capture_output=True,
                              timeout=60).stdout.decode("utf-8", "replace")

    def run(self, folder, command):  # (screen text with its scrolled-off lines, exit code)
        # tmux may mark a pane dead at the end of its output and never learn its exit status:
        # the shell in the pane writes it down.
        window, status = f"w{time.monotonic_ns()}", tempfile.mktemp(prefix="velmark-exit-")
        self.call("new-window", "-d", "-n", window, "-c", folder, f"{shlex.join(command)}; echo $? >{status}")
        deadline = time.time() + 120
        while not (os.path.exists(status) and self.call("display-message", "-p", "-t", window, "#{pane_dead}") == "1\n"):
            if time.time() > deadline:
                return "timed out", None
            time.sleep(0.2)
        screen = self.call("capture-pane", "-p", "-J", "-S", "-500", "-t", window)
        self.call("kill-window", "-t", window)
        with open(status) as f:
            code = f.read().strip()
        os.remove(status)
        return screen, code

    def close(self):
        subprocess.run(self.tmux + ["kill-server"], env=self.env, check=False)


def main():
    tool, sample = os.path.abspath(sys.argv[1]), sys.argv[2]
    winehost.select(int(sys.argv[4]) if sys.argv[3:4] == ["--wine"] else 64)
    failures = []

    def game(name):
        folder = os.path.join(tempfile.mkdtemp(prefix=f"velmark-cli-{name}-"), "game")
        shutil.copytree(sample, folder)
        with open(os.path.join(folder, "Player", "Config.ini"), "wb") as f:
            f.write(scenarios.data("play-mouse-20.ini"))
        return folder

    def config(folder):
        with open(os.path.join(folder, "Player", "Config.ini"), "rb") as f:
            return f.read()

    def run(what, folder, args, code, out=b"", err=b"", env=None):
        proc = subprocess.run([winehost.LOADER, tool, "--game", winehost.windows_path(folder)] +
                              args, env=env or host.env, capture_output=True, timeout=120)
        ok = proc.returncode == code and out in proc.stdout and err in proc.stderr
        print(f"{'PASS' if ok else 'FAIL'} {what}: exit {proc.returncode}", flush=True)
        if not ok:
            failures.append(what)
            print(proc.stdout.decode("latin-1") + proc.stderr.decode("latin-1"))

    with winehost.WineHost(winmm=winehost.test_dll("winmm")) as host:
        folder = game("tool")
        run("show before", folder, ["show"], 0, b"configuration: the player's own")
        run("preset quality", folder, ["preset", "quality"], 0, b'OPTIONS FAR: "90" -> "100"')
        if config(folder) != scenarios.data("play-best-quality.ini"):
            failures.append("preset quality differs from best quality applied in the dialog")
        run("show after", folder, ["show", "--json"], 0, b'"configuration": "quality"')
        run("check clean", folder, ["check"], 0, b"nothing found")
        before = config(folder)
        run("set refused", folder, ["set", "FAR=150", "LOD=1"], 3, err=b"FAR would be shown")
        run("get unknown", folder, ["get", "FAAR"], 2, err=b"nearest: FAR")
        os.chmod(os.path.join(folder, "Player", "Config.ini"), 0o444)
        run("box printed", folder, ["set", "FAR=60"], 4, err=b"[CFileHarvel Error]")
        if config(folder) != before:
            failures.append("a refused or failed write changed Config.ini")
        scripted_devices(run, folder)
        run("strings", folder, ["strings", "check"], 0, b"nothing found")
        # A UTF-8 terminal: Wine hands the program its arguments in the ANSI code page
        # (Windows-1252), the file keeps that byte, and output without a console is in the
        # ANSI code page too; JSON is UTF-8.
        utf8 = dict(host.env, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        os.chmod(os.path.join(folder, "Player", "Config.ini"), 0o644)
        run("typed name", folder, ["set", "NAME=Zo\u00eb"], 0, b'-> "Zo\xeb"', env=utf8)
        if b'"Zo\xeb"' not in config(folder):
            failures.append("the typed name is not stored in Windows-1252")
        run("name shown", folder, ["get", "NAME"], 0, b"Zo\xeb\r\n", env=utf8)
        run("name in JSON", folder, ["show", "--json"], 0, b'"NAME": "Zo\xc3\xab"', env=utf8)
        run("unknown command", folder, ["bogus"], 2, err=b"unknown command 'bogus'")
        named = os.path.join(os.path.dirname(folder), "jeu-\u0141\u00f3d\u017a-\u65e5\u672c")
        shutil.copytree(folder, named)
        run("any folder name", named, ["get", "FAR"], 0, b"100\r\n", env=utf8)
        run("unheld character", folder, ["set", "NAME=\u0141ukasz"], 3, err=b"(U+0141)", env=utf8)
        run("parser's words", folder, ["preset", "Zo\u00eb"], 2, err=b"Zo\xeb not in", env=utf8)
        screens(tool, game, failures, utf8)
        os.remove(os.path.join(folder, "Player", "Config.ini"))
        run("missing", folder, ["get", "FAR"], 4, err=b"is missing")
        if os.path.exists(os.path.join(folder, "Player", "Config.ini")):
            failures.append("reading a missing Config.ini created it")
    print(f"{len(failures)} failed: {failures}" if failures else "all passed")
    return 1 if failures else 0


# The tool in a UTF-8 terminal, through Wine's console: the screen shows the player's name, and
# a console of code page 65001, 1252 or 850 (cmd's chcp) writes its bytes into files; JSON stays
# UTF-8 in any.
def screens(tool, game, failures, env):
    folder = game("screen")
    with open(os.path.join(folder, "Player", "Config.ini"), "r+b") as f:
        text = f.read().replace(b'"Player"', b'"Zo\xeb"').replace(b'"(800,600)"', b'"Zo\xeb"', 1)
        f.seek(0)
        f.write(text)
    terminal = Terminal(env)
    exe = winehost.windows_path(tool)
    chcp = (f"chcp 65001 >nul & {exe} get NAME & {exe} get NAME >65001.txt & chcp 1252 >nul & {exe} get NAME "
            f">1252.txt & chcp 850 >nul & {exe} get NAME >850.txt & {exe} show --json >850.json")
    try:
        for args, code, shown in ((["get", "NAME"], 0, "Zo\u00eb\n"), (["show"], 0, "NAME=Zo\u00eb\n"),
                                  (["show", "--json"], 0, '"NAME": "Zo\u00eb"'),
                                  (["check"], 1, 'RESOLUTION: "Zo\u00eb" shows no selection'),
                                  (["set", "NAME=\u0141ukasz"], 3, "'NAME=\u0141ukasz' holds '\u0141' (U+0141)")):
            screen, status = terminal.run(folder, [winehost.LOADER, tool] + args)
            report(f"screen: {' '.join(args)}", status == str(code) and shown in screen,
                   f"exit {status}\n{screen}", failures)
        screen, status = terminal.run(folder, [winehost.LOADER, "cmd", "/c", chcp])
        report("screen: console of code page 65001", "Zo\u00eb\n" in screen, screen, failures)
    finally:
        terminal.close()
    for name, want in (("65001.txt", b"Zo\xc3\xab\r\n"), ("1252.txt", b"Zo\xeb\r\n"), ("850.txt", b"Zo\x89\r\n"),
                       ("850.json", b'"NAME": "Zo\xc3\xab"')):
        path = os.path.join(folder, name)
        got = open(path, "rb").read() if os.path.exists(path) else b"(none)"
        report(f"redirected in code page {name}", got == want or name.endswith("json") and want in got, got, failures)


def report(what, ok, shown, failures):
    print(f"{'PASS' if ok else 'FAIL'} {what}", flush=True)
    if not ok:
        failures.append(what)
        print(shown)


if __name__ == "__main__":
    sys.exit(main())
