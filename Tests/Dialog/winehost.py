"""Runs the tests' Windows programs under 64-bit Wine on a virtual display: the project's test
prefix (made once by Scripts/wine-prefix), a warm wineserver, an Xvfb of our own when no display
is given, screenshots, and the processor time of the program under test."""
import glob
import os
import subprocess
import time

SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Scripts")
LOADER = "/usr/lib/wine/wine64"
SERVER = "/usr/lib/wine/wineserver64"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class WineHost:
    def __init__(self, own_display=False):
        self.own_display = own_display or not os.environ.get("DISPLAY")
        self.xvfb = None
        cache = os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache"))
        self.env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
                        WINELOADER=LOADER, WINESERVER=SERVER,
                        WINEPREFIX=os.environ.get("VELMARK_WINEPREFIX",
                                                  os.path.join(cache, "velmark-wine")))

    def __enter__(self):
        if not os.path.isfile(os.path.join(self.env["WINEPREFIX"], "system.reg")):
            subprocess.run([os.path.join(SCRIPTS, "wine-prefix")], env=self.env, check=True)
        if self.own_display:
            read, write = os.pipe()
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten",
                 "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write)
            with os.fdopen(read, "rb") as pipe:
                number = pipe.readline().strip()
            if not number:
                raise RuntimeError("Xvfb did not start")
            self.env["DISPLAY"] = ":" + number.decode()
        # A warm server: start to window in about 0.4 s instead of 2 s.
        subprocess.run([SERVER, "-p30"], env=self.env, check=False)
        return self

    def __exit__(self, *exc):
        if self.xvfb is not None:
            self.xvfb.terminate()
            self.xvfb.wait()

    def drive(self, driver, game, steps, on_pause):
        """Runs the driver on the program copied into `game`; calls on_pause(name, game) for
        each pause step, then lets the driver go on. Returns the driver's output lines."""
        out_path = os.path.join(os.path.dirname(game), "driver.out")
        with open(out_path, "wb") as out:
            proc = subprocess.Popen(
                [LOADER, driver, windows_path(os.path.join(game, "VelmarkSetup.exe")),
                 windows_path(game)] + steps, env=self.env, stdout=out,
                stderr=subprocess.DEVNULL)
            deadline = time.time() + 180
            while proc.poll() is None and time.time() < deadline:
                for marker in glob.glob(os.path.join(game, "*.pause")):
                    on_pause(os.path.basename(marker)[:-6], game)
                    os.remove(marker)
                time.sleep(0.05)
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        with open(out_path, "rb") as f:
            return f.read().decode("ascii", "replace").splitlines()

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", "-display", self.env["DISPLAY"], path],
                       check=True)

    def idle_share(self, game, seconds):
        """Share of one core the program used over `seconds` of idling; None when not found."""
        exe = windows_path(os.path.join(game, "VelmarkSetup.exe")).lower()
        for cmdline in glob.glob("/proc/[0-9]*/cmdline"):
            try:
                with open(cmdline, "rb") as f:
                    args = f.read().decode("utf-8", "replace").lower()
            except OSError:
                continue
            if "velmarksetup.exe" in args and (exe in args or game.lower() in args) and \
                    "driver" not in args:
                stat = os.path.join(os.path.dirname(cmdline), "stat")
                before, start = cpu_seconds(stat), time.time()
                time.sleep(seconds)
                return (cpu_seconds(stat) - before) / (time.time() - start)
        return None


def cpu_seconds(stat):
    with open(stat) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # utime + stime
