# The start-up benchmark behind `Tests/Dialog/scenarios.py --bench N`: N starts of the settings
# program and N of the bare baseline dialog (startup_baseline.exe), taken in turns in the same
# Wine session, timed by the dialog driver from process creation to a dialog ready for input.
# The program's marks (OutputDebugStringA, read through Wine's +timestamp,+debugstr output)
# show where its own time goes.
import statistics


def bench(scenarios, count, baseline, settings):
    games = {"program": scenarios.game(settings), "baseline": scenarios.game(settings, program=baseline)}
    wall, cpu, phases = {n: [] for n in games}, {n: [] for n in games}, {}
    for _ in range(count):
        for name, game in games.items():
            marks = []
            run = scenarios.run("bench", game, ["ready", "exit"], marks=marks)
            wall[name].append(int(run.ready[0]))
            cpu[name].append(int(run.ready[3]))
            for tick, text in marks if name == "program" else ():
                phases.setdefault(text, []).append(tick - run.start)
    print("program's marks, median time after process creation:")
    for text, ticks in sorted(phases.items(), key=lambda p: statistics.median(p[1])):
        print(f"    {text:<20} {statistics.median(ticks):6.0f} ms")
    med = {n: (statistics.median(wall[n]), statistics.median(cpu[n])) for n in games}
    for n, (w, c) in med.items():
        print(f"{n}: start to dialog ready, median of {count}: {w:.0f} ms, {c:.0f} ms of processor")
    print(f"ratio program / baseline: {med['program'][0] / med['baseline'][0]:.2f} "
          f"({med['program'][1] / max(med['baseline'][1], 1):.2f} in processor time)")
    return 0
