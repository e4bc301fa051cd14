#!/usr/bin/env python3
# The programs where Windows virtualizes the game: a game folder in the prefix's
# "C:\Program Files" and the user's VirtualStore copy of Player\Config.ini. Player(nobody=True)
# is a user without administrator rights: Wine run as the Unix user nobody, in a prefix of its
# own, on a folder root made. Run as a script, it plays VelmarkSettings.exe: as nobody, `set`
# makes the copy and leaves the file as it was; as root, a copy made by hand (FAR "55" beside
# "80") is what get and show print, and `set` writes both.
# Usage: wine_account.py TOOL.exe SAMPLE_DIR [--wine 64|32]
import getpass
import os
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
        self.drive_c = os.path.join(self.env["WINEPREFIX"], "drive_c")

    def command(self, args):
        runner = ["runuser", "-u", "nobody", "--", "env"] + [f"{k}={v}" for k, v in self.env.items()]
        return (runner if self.user == "nobody" else []) + args

    def run(self, args):
        return subprocess.run(self.command([winehost.LOADER] + args), env=self.env, capture_output=True, timeout=180)

    # A game folder that root makes in "C:\<under>" with `programs` (name: file) and
    # Player\Config.ini holding `config`: its Unix path, its Windows path and its copy's path.
    def game(self, sample, programs, config, under="Program Files"):
        self.folders.append(tempfile.mkdtemp(prefix="velmark-", dir=os.path.join(self.drive_c, under)))
        os.chmod(self.folders[-1], 0o755)
        game, name = os.path.join(self.folders[-1], "game"), os.path.basename(self.folders[-1])
        shutil.copytree(sample, game)
        for program, path in programs.items():
            shutil.copy(path, os.path.join(game, program))
        with open(os.path.join(game, "Player", "Config.ini"), "wb") as f:
            f.write(config)
        store = os.path.join(self.drive_c, "users", self.user, "AppData", "Local", "VirtualStore", under, name)
        self.folders.append(store)
        return game, f"C:\\{under}\\{name}\\game".replace("\\\\", "\\"), os.path.join(store, "game", "Player", "Config.ini")

    def clean(self):
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)


def read(path):  # nothing when missing
    if not os.path.isfile(path):
        return b""
    with open(path, "rb") as f:
        return f.read()


def main():
    tool, sample = sys.argv[1:3]
    winehost.select(int(sys.argv[4]) if sys.argv[3:4] == ["--wine"] else 64)
    failures, defaults = [], scenarios.default_settings()

    def run(player, what, where, args, code, out=b""):
        proc = player.run([where + "\\VelmarkSettings.exe", "--game", where] + args)
        ok = proc.returncode == code and out in proc.stdout
        print(f"{'PASS' if ok else 'FAIL'} {what}: exit {proc.returncode}", flush=True)
        if not ok:
            failures.append(what)
            print(proc.stdout.decode("latin-1") + proc.stderr.decode("latin-1"))

    with winehost.WineHost() as host:
        players = [Player(host.env, nobody) for nobody in ([True] if available() else []) + [False]]
        for player in players:
            game, where, copy = player.game(sample, {"VelmarkSettings.exe": tool}, defaults)
            wrote = b"wrote the copy the game reads for this user, C:\\users\\" + player.user.encode()
            if player.user == "nobody":
                run(player, "copy made", where, ["set", "FAR=90"], 0, b"Player\\Config.ini may not be written by "
                    b"this user: made and wrote the copy the game reads for this user, C:\\users\\nobody\\")
                run(player, "copy written", where, ["set", "FAR=95"], 0, wrote)
                run(player, "copy read", where, ["get", "FAR"], 0, b"95")
                if read(os.path.join(game, "Player", "Config.ini")) != defaults or FAR % b"95" not in read(copy):
                    failures.append("nobody: the file changed or the copy lacks FAR 95")
                game, where, copy = player.game(sample, {"VelmarkSettings.exe": tool}, defaults, under="")
                run(player, "not virtualized", where, ["set", "FAR=90"], 4)
                if read(os.path.join(game, "Player", "Config.ini")) != defaults or os.path.exists(copy):
                    failures.append("nobody outside the virtualized folders: a file changed or a copy was made")
                continue
            os.makedirs(os.path.dirname(copy))
            with open(copy, "wb") as f:
                f.write(defaults.replace(FAR % b"80", FAR % b"55", 1))
            run(player, "get copy", where, ["get", "FAR"], 0, b"55")
            run(player, "show copy", where, ["show"], 0, b"FAR=55")
            run(player, "check copy", where, ["check"], 1, b"shadowed: Player\\Config.ini")
            run(player, "set both", where, ["set", "FAR=90"], 0, wrote + b"\\AppData\\Local\\VirtualStore\\Program Files")
            if any(FAR % b"90" not in read(path) for path in (copy, os.path.join(game, "Player", "Config.ini"))):
                failures.append("set did not write FAR 90 into both files")
        for player in players:
            player.clean()
        if not available():
            print("nobody's part skipped: it needs root and runuser")
    print(f"{len(failures)} failed: {failures}" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
