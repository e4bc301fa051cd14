# The start-up benchmark behind `Tests/Dialog/scenarios.py --bench N`: N starts of the settings
# program and N of the bare baseline dialog (startup_baseline.exe), taken in turns in the same
# Wine server run, timed by the dialog driver from process creation to a dialog ready for input.
# The program's marks (OutputDebugStringA, read through Wine's +timestamp,+debugstr output)
# show where its own time goes.
import os
import re
import statistics

# What Wine prints for OutputDebugStringA under WINEDEBUG=+timestamp,+debugstr.
MARK = re.compile(r'^\s*(\d+)\.(\d{3}):.*OutputDebugStringA "(.*)"')


def bench(scenarios, count, baseline, settings):
    games = {"program": scenarios.game(settings), "baseline": scenarios.game(settings, program=baseline)}
    wall, phases = {n: [] for n in games}, {}
    for _ in range(count):
        for name, game in games.items():
            run = scenarios.run("bench", game, ["ready", "exit"], debug="-all,+timestamp,+debugstr")
            wall[name].append(int(run.ready[0]))
            with open(os.path.join(os.path.dirname(game), "wine.err"), encoding="latin-1") as err:
                for mark in (MARK.match(line) for line in err if name == "program"):
                    if mark:
                        phases.setdefault(mark[3], []).append(int(mark[1]) * 1000 + int(mark[2]) - run.start)
    print("program's marks, median time after process creation:")
    for text, ticks in sorted(phases.items(), key=lambda p: statistics.median(p[1])):
        print(f"    {text:<20} {statistics.median(ticks):6.0f} ms")
    med = {n: statistics.median(wall[n]) for n in games}
    for n, ms in med.items():
        print(f"{n}: start to dialog ready, median of {count}: {ms:.0f} ms")
    print(f"ratio program / baseline: {med['program'] / med['baseline']:.2f}")
    return 0
