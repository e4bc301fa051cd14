#!/usr/bin/env python3
# The programs where Windows virtualizes the game: a game folder in the prefix's
# "C:\Program Files" and the user's VirtualStore copy of Player\Config.ini. Player(nobody=True)
# is a user without administrator rights: Wine run as the Unix user nobody, in a prefix of its
# own, on a folder root made. Run as a script, it plays VelmarkSettings.exe in the game folder:
# as nobody, `set` makes the copy and leaves the file as it was; as root, a copy made by hand
# (FAR "55" beside "80") is what get and show print, and `set` writes both.
# Usage: wine_account.py TOOL.exe SAMPLE_DIR [--wine 64|32]
import getpass
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Dialog"))
import scenarios  # noqa: E402
import winehost  # noqa: E402

FAR = b'FAR                 = "%s"'


def available():  # another Unix user can be played only by root, through runuser
    return os.geteuid() == 0 and shutil.which("runuser") is not None


class Player:
    def __init__(self, env, nobody):
        self.user, self.env, self.folders = "nobody" if nobody else getpass.getuser(), dict(env), []
        if nobody:
            prefix = os.environ.get("VELMARK_NOBODY_WINEPREFIX", "/var/tmp/velmark-wine-nobody") + str(winehost.BITS)
            self.env.update(HOME=prefix + "-home", WINEPREFIX=prefix, VELMARK_WINEPREFIX=prefix,
                            VELMARK_WINE32PREFIX=prefix)
            if not os.path.isfile(os.path.join(prefix, "system.reg")):
                for folder in (prefix, prefix + "-home"):
                    os.makedirs(folder, exist_ok=True)
                    shutil.chown(folder, "nobody")
                subprocess.run(self.command([os.path.join(winehost.SCRIPTS, "wine-prefix"), str(winehost.BITS)]),
                               check=True)
            if os.path.isfile(self.env.get("XAUTHORITY", "")):  # the display's key, which only root may read
                key = shutil.copy(self.env["XAUTHORITY"], os.path.join(prefix + "-home", ".Xauthority"))
                shutil.chown(key, "nobody")
                self.env["XAUTHORITY"] = key
        self.drive_c = os.path.join(self.env["WINEPREFIX"], "drive_c")

    def command(self, args):
        runner = ["runuser", "-u", "nobody", "--", "env"] + [f"{k}={v}" for k, v in self.env.items()]
        return (runner if self.user == "nobody" else []) + args

    def run(self, args, cwd=None):
        return subprocess.run(self.command([winehost.LOADER] + args), env=self.env, capture_output=True, timeout=180,
                              cwd=cwd)

    # A game folder, whose name holds letters of no one code page, that root makes in
    # "C:\<under>" with `programs` (name: file) and Player\Config.ini holding `config`, and with
    # `far`, a copy made by hand holding that FAR: its Unix path, its Windows path and its copy's.
    def game(self, sample, programs, config, under="Program Files", far=None):
        self.folders.append(tempfile.mkdtemp(prefix="velmark-\u0416-\u00e9-", dir=os.path.join(self.drive_c, under)))
        os.chmod(self.folders[-1], 0o755)
        game, name = os.path.join(self.folders[-1], "game"), os.path.basename(self.folders[-1])
        shutil.copytree(sample, game)
        for program, path in programs.items():
            shutil.copy(path, os.path.join(game, program))
        with open(os.path.join(game, "Player", "Config.ini"), "wb") as f:
            f.write(config)
        store = os.path.join(self.drive_c, "users", self.user, "AppData", "Local", "VirtualStore", under, name)
        self.folders.append(store)
        if far:
            os.makedirs(os.path.join(store, "game", "Player"))
            with open(os.path.join(store, "game", "Player", "Config.ini"), "wb") as f:
                f.write(config.replace(FAR % b"80", FAR % far, 1))
        return game, f"C:\\{under}\\{name}\\game".replace("\\\\", "\\"), os.path.join(store, "game", "Player", "Config.ini")

    def clean(self):
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)


def read(path):  # nothing when missing
    if not os.path.isfile(path):
        return b""
    with open(path, "rb") as f:
        return f.read()


def far(path):  # OPTIONS FAR in the file, None without one
    found = re.search(rb'\tFAR += "(\d+)"', read(path))
    return found and found.group(1)


COPY = b"the copy the game reads for this user, C:\\users\\"
# (as nobody, the game's folder in C:\, FAR of a copy made by hand, [(command, exit, output)],
# FAR then in the file and in the copy)
PLAYS = [
    (True, "Program Files", None, [("set FAR=90", 0, b"Player\\Config.ini may not be written by this user: made and "
                                    b"wrote " + COPY + b"nobody\\AppData\\Local\\VirtualStore\\Program Files\\"),
                                   ("set FAR=95", 0, b"; Player\\Config.ini may not be written by this user and is "
                                    b"unchanged"), ("get FAR", 0, b"95")], b"80", b"95"),
    (True, "", None, [("set FAR=90", 4, b"")], b"80", None),
    (False, "Program Files", b"55", [("get FAR", 0, b"55"), ("show", 0, b"FAR=55"),
                                     ("check", 1, b"shadowed: Player\\Config.ini"),
                                     ("set FAR=90", 0, b"wrote " + COPY)], b"90", b"90"),
]


def main():
    tool, sample = sys.argv[1:3]
    winehost.select(int(sys.argv[4]) if sys.argv[3:4] == ["--wine"] else 64)
    failures, defaults = [], scenarios.default_settings()
    with winehost.WineHost() as host:
        for nobody, under, made, commands, in_file, in_copy in PLAYS:
            if nobody and not available():
                print("SKIP as nobody: it needs root and runuser")
                continue
            player = Player(host.env, nobody)
            game, where, copy = player.game(sample, {"VelmarkSettings.exe": tool}, defaults, under, made)
            for command, code, out in commands:
                # Run in the game folder: the command line cannot name every folder.
                proc = player.run([where + "\\VelmarkSettings.exe"] + command.split(), cwd=game)
                ok = proc.returncode == code and out in proc.stdout
                print(f"{'PASS' if ok else 'FAIL'} {player.user} in C:\\{under}: {command}: exit {proc.returncode}")
                if not ok:
                    failures.append(command)
                    print(proc.stdout.decode("latin-1") + proc.stderr.decode("latin-1"))
            got = (far(os.path.join(game, "Player", "Config.ini")), far(copy))
            if got != (in_file, in_copy):
                failures.append(f"{player.user} in C:\\{under}: FAR {got} in the file and the copy")
            player.clean()
    print(f"{len(failures)} failed: {failures}" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
