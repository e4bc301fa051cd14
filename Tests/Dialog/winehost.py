# Runs the tests' Windows programs under Wine on a virtual display: the project's test prefix
# (made once by Scripts/wine-prefix), a warm wineserver, an Xvfb of our own when no display is
# given, screenshots, and the processor time of the program under test. 64-bit Wine runs the
# x86_64 build; after select(32), 32-bit Wine (through qemu-i386 where the machine runs no
# 32-bit code, Scripts/install-wine32) runs the i686 programs players get, in a prefix of its own.
# Copies of the prefix give another screen DPI or the scripted sound card (winmm.cpp).
import glob
import os
import shutil
import signal
import subprocess
import tempfile
import time

SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Scripts")
LOADER = "/usr/lib/wine/wine64"
SERVER = "/usr/lib/wine/wineserver64"
BITS = 64


# Each loader by its path: with both installed, `wine` may start either.
def select(bits):
    global LOADER, BITS
    LOADER, BITS = {64: "/usr/lib/wine/wine64", 32: "/usr/lib/wine/wine"}[bits], bits


# Tests/Dialog/NAME.cpp as dialog_NAME.dll for our bits in `folder` (else VELMARK_TEST_DLLS, else a
# new one): built there with the machine's MinGW when it has one, otherwise taken as it is
# (Scripts/dialog-driver32 builds them beside the driver).
def test_dll(name, folder=None):
    folder = folder or os.environ.get("VELMARK_TEST_DLLS") or tempfile.mkdtemp(prefix="velmark-dlls-")
    path, compiler = os.path.join(folder, f"dialog_{name}.dll"), {32: "i686", 64: "x86_64"}[BITS] + "-w64-mingw32-g++"
    if shutil.which(compiler):
        subprocess.run([compiler, "-shared", "-Os", "-static", "-Wall", "-Wextra", "-Wl,--kill-at",
                        os.path.join(os.path.dirname(os.path.abspath(__file__)), f"{name}.cpp"), "-lgdi32", "-o", path],
                       check=True)
    if not os.path.isfile(path):
        raise SystemExit(f"no {path}, and no {compiler} to build it")
    return path


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class WineHost:
    # With `winmm` (the scripted sound card's DLL), programs run in scripted_devices' prefix.
    def __init__(self, own_display=False, winmm=None):
        self.own_display, self.xvfb, self.winmm = own_display or not os.environ.get("DISPLAY"), None, winmm
        self.spun = None
        cache = os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache"))
        variable, default = ("VELMARK_WINEPREFIX", "velmark-wine") if BITS == 64 else ("VELMARK_WINE32PREFIX",
                                                                                      "velmark-wine32")
        self.env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", WINELOADER=LOADER,
                        WINESERVER=SERVER, WINEPREFIX=os.environ.get(variable, os.path.join(cache, default)))

    def __enter__(self):
        if not os.path.isfile(os.path.join(self.env["WINEPREFIX"], "system.reg")):
            subprocess.run([os.path.join(SCRIPTS, "wine-prefix"), str(BITS)], env=self.env, check=True)
        self.base = self.env["WINEPREFIX"]  # the test prefix itself
        if self.winmm:
            self.env["WINEPREFIX"] = self.scripted_devices(self.winmm)
        self.used = {self.base, self.env["WINEPREFIX"]}
        if self.own_display:
            read, write = os.pipe()
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten",
                                          "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
            os.close(write)
            with os.fdopen(read, "rb") as pipe:
                self.env["DISPLAY"] = ":" + pipe.readline().strip().decode()
        # Warm: start to window 0.4 s, not 2 s. Its output goes nowhere, so that a server left
        # running never holds the pipes of whoever ran this script.
        subprocess.run([SERVER, "-p30"], env=self.env, check=False, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return self

    # A server no program ever reached would wait for one forever, and one that outlives our
    # display serves no window again (Wine 10's then spins): both stopped, so a prefix serves one
    # host at a time.
    def __exit__(self, kind, *exc):
        for prefix in self.used if kind is not None or self.xvfb is not None else ():
            stop_server(dict(self.env, WINEPREFIX=prefix))
        if self.xvfb is not None:
            self.xvfb.terminate()
            self.xvfb.wait()

    # Runs the driver on the program copied into `game`; calls on_pause(name, game) for each
    # pause step, then lets the driver go on. Returns the driver's output lines, and a fail line
    # naming the step it was at when it had to be stopped: after 180 s, or at once when Wine's
    # server spins (noted in `spun`). With `debug`, Wine's own output under that WINEDEBUG is left
    # in wine.err beside the game folder. `cwd` is the program's current folder (the game folder
    # when not given); `env` adds to Wine's.
    def drive(self, driver, game, steps, on_pause, debug="-all", cwd=None, env=None):
        env = dict(self.env, WINEDEBUG=debug, **(env or {}))
        self.used.add(env["WINEPREFIX"])
        out, err = (os.path.join(os.path.dirname(game), name) for name in ("driver.out", "wine.err"))
        watch = SpinWatch(game, env["WINEPREFIX"])
        with open(out, "wb") as o, open(err, "wb") as e:
            proc = subprocess.Popen([LOADER, driver, windows_path(os.path.join(game, "VelmarkSetup.exe")),
                                     windows_path(cwd or game)] + steps, env=env, stdout=o, stderr=e)
            deadline = time.time() + 180
            while proc.poll() is None and time.time() < deadline and not watch.spinning():
                for marker in glob.glob(os.path.join(game, "*.pause")):
                    on_pause(os.path.basename(marker)[:-6], game)
                    os.remove(marker)
                time.sleep(0.02)
            late = proc.poll() is None
            proc.kill()
            proc.wait()
        if late:  # what hung stays in the server: stopped, so that the next run starts clean
            stop_server(env)
            self.spun = self.spun or watch.spun
        with open(out, "rb") as o:
            lines = o.read().decode("ascii", "replace").splitlines()
        at = next((line[3:] for line in reversed(lines) if line.startswith("at ")), "its start")
        why = f"was stopped at {at}: {watch.spun}" if watch.spun else f"ran past 180 s, stuck at {at}"
        return lines + ([f"fail the driver {why}"] if late else [])

    # A copy of the test prefix, made once beside it with `suffix` and the user registry value
    # `key` `name`=`data` (reg add's arguments after the key), kept while user.reg holds `mark`.
    def prefix_copy(self, suffix, mark, key, *value):
        prefix = f"{self.env['WINEPREFIX']}-{suffix}"
        user = os.path.join(prefix, "user.reg")
        if os.path.isfile(user) and mark in open(user, encoding="latin-1").read():
            return prefix
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.copytree(self.env["WINEPREFIX"], prefix, symlinks=True)
        env = dict(self.env, WINEPREFIX=prefix)
        subprocess.run([LOADER, "reg", "add", key, *value, "/f"], env=env, check=True, stdout=subprocess.DEVNULL)
        subprocess.run([SERVER, "-w"], env=env, check=False)
        return prefix

    # A copy of the test prefix whose screen has `dpi` dots per inch.
    def dpi_prefix(self, dpi):
        return self.prefix_copy(f"dpi{dpi}", f'"LogPixels"=dword:{dpi:08x}', r"HKCU\Control Panel\Desktop",
                                "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi))

    # A copy of the test prefix whose sound card is the scripted one (Tests/Dialog/winmm.cpp, built
    # as `dll`): put where programs of our bits load winmm.dll from, preferred to Wine's own.
    def scripted_devices(self, dll):
        prefix = self.prefix_copy("devices", '"winmm"="native"', r"HKCU\Software\Wine\DllOverrides", "/v", "winmm",
                                  "/d", "native")
        windows = os.path.join(prefix, "drive_c", "windows")
        wow = os.path.join(windows, "syswow64")  # 32-bit programs in a 64-bit prefix
        system = wow if BITS == 32 and os.path.isdir(wow) else os.path.join(windows, "system32")
        shutil.copy(dll, os.path.join(system, "winmm.dll"))
        return prefix

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", "-display", self.env["DISPLAY"], path], check=True)

    # Share of one core the program used over `seconds` of idling; None when it is not found.
    def idle_share(self, game, seconds):
        found = program_stats(game)[:1]
        if not found:
            return None
        before, start = cpu_seconds(found), time.time()
        time.sleep(seconds)
        return (cpu_seconds(found) - before) / (time.time() - start)


# Wine 10's server was seen, rarely, to spin on a core for good once a program ended, so that no
# later program of its prefix gets a window. Sampled every 5 s while a run goes on: spinning
# after three samples in a row with the server of `prefix` that busy and the program idle, which
# is Wine's fault, not the program's.
class SpinWatch:
    def __init__(self, game, prefix):
        self.game, self.prefix, self.last, self.busy, self.spun = game, prefix, None, 0, None

    def spinning(self):
        now = time.time()
        if self.last is not None and now - self.last[0] < 5:
            return False
        sample = (now, cpu_seconds(server_stats(self.prefix)), cpu_seconds(program_stats(self.game)))
        if self.last is not None:
            server, program = ((sample[i] - self.last[i]) / (now - self.last[0]) for i in (1, 2))
            self.busy = self.busy + 1 if server > 0.5 and program < 0.1 else 0
            if self.busy == 3:
                self.spun = f"Wine's server spun ({server * 100:.0f}% of a core) while the program idled"
        self.last = sample
        return self.spun is not None


# Stopped even when it no longer answers `wineserver -k`, as a spinning one does not.
def stop_server(env):
    try:
        subprocess.run([SERVER, "-k"], env=env, stderr=subprocess.DEVNULL, check=False, timeout=10)
    except subprocess.TimeoutExpired:
        pass
    for stat in server_stats(env["WINEPREFIX"]):
        try:
            os.kill(int(stat.split("/")[2]), signal.SIGKILL)
        except OSError:
            pass


# /proc/PID/stat of each process whose `part` file satisfies `holds` (its bytes, lower case).
def stats(part, holds):
    found = []
    for stat in glob.glob("/proc/[0-9]*/stat"):
        try:
            with open(os.path.join(os.path.dirname(stat), part), "rb") as f:
                if holds(f.read().lower()):
                    found.append(stat)
        except OSError:
            continue
    return found


# The program under test copied into `game` (not the driver, whose arguments name it too).
def program_stats(game):
    path = game.lower().encode()
    return stats("cmdline", lambda args: b"driver" not in args
                 and path in args.replace(b"\\", b"/").replace(b"z:", b""))


def server_stats(prefix):
    mine = b"\0wineprefix=" + prefix.lower().encode() + b"\0"
    servers = stats("cmdline", lambda args: b"wineserver" in args)
    return [stat for stat in stats("environ", lambda env: mine in b"\0" + env) if stat in servers]


# Processor seconds the processes used (a process that ended counts for nothing).
def cpu_seconds(found):
    total = 0.0
    for stat in found:
        try:
            with open(stat) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # utime + stime
        except OSError:
            pass
    return total
