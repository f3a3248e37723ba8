#!/usr/bin/env python3
"""The goals of BENCHMARKS.md, judged on zifferon_bench's JSON output.

Takes the JSON files of one or more separate process runs (--benchmark_out) and prints, as
Markdown, the comparison table, the programs' times and the goals. A time is the median over
the runs of each run's median; a ratio is formed within each run, and over several runs is
shown as "median (min-max)". Every goal is judged on its worst run. Goals are reported, not
enforced: the figures depend on the machine.

Exit status 1 when a case failed in some run (a result that differs from the library's, a
program that did not answer) or a file holds no benchmarks; a case whose message starts with
"not available: " (a peer that is not installed, no baseline) only counts as not measured.
"""

import argparse
import json
import re
import statistics
import sys

# Google Benchmark's additions to a registered name.
SUFFIXES = re.compile(r"/(iterations|repeats|min_time|manual_time|real_time)(:[^/]*)?")
UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
NOT_COUNTERS = {
    "name", "family_index", "per_family_instance_index", "run_name", "run_type", "repetitions",
    "repetition_index", "threads", "aggregate_name", "aggregate_unit", "iterations", "real_time",
    "cpu_time", "time_unit", "error_occurred", "error_message", "label",
}
NOT_AVAILABLE = "not available: "


def figure(entry):
    """Seconds per call and the counters of one reported run. Processor time, as every case
    runs on one thread and a busy neighbour inflates it much less than the clock's; a case
    with manual time (a child process's processor time) reports it as real time. A workload
    of several systems is given per system."""
    manual = "/manual_time" in entry["run_name"]
    seconds = entry["real_time" if manual else "cpu_time"] * UNITS[entry["time_unit"]]
    counters = {k: v for k, v in entry.items()
                if k not in NOT_COUNTERS and isinstance(v, (int, float))}
    if counters.get("systems"):
        seconds /= counters["systems"]
    return {"seconds": seconds, "counters": counters, "error": ""}


def load(path):
    """name -> figure of one process run: the median aggregate where there is one, else the
    median of the runs reported one by one; an error in any repetition marks the case."""
    with open(path, encoding="utf-8") as file:
        benchmarks = json.load(file).get("benchmarks", [])
    if not benchmarks:
        raise ValueError(f"{path}: no benchmarks")
    medians, single, errors = {}, {}, {}
    for entry in benchmarks:
        name = SUFFIXES.sub("", entry["run_name"])
        if entry.get("error_occurred"):
            errors[name] = entry.get("error_message", "")
        elif entry["run_type"] == "aggregate":
            if entry.get("aggregate_name") == "median":
                medians[name] = figure(entry)
        else:
            single.setdefault(name, []).append(figure(entry))
    figures = {}
    for name, runs in single.items():
        runs.sort(key=lambda f: f["seconds"])
        figures[name] = runs[(len(runs) - 1) // 2]
    figures.update(medians)
    for name, message in errors.items():
        figures[name] = {"seconds": 0.0, "counters": {}, "error": message}
    return figures


class Judge:
    def __init__(self, runs):
        self.runs = runs
        self.lines = []

    def print(self, text=""):
        self.lines.append(text)

    def measured(self, name):
        return [run[name] for run in self.runs if name in run and not run[name]["error"]]

    def seconds(self, name):
        return [f["seconds"] for f in self.measured(name)]

    def counter(self, name, key, divisor_key=None):
        values = []
        for f in self.measured(name):
            c = f["counters"]
            if key in c and (divisor_key is None or c.get(divisor_key)):
                values.append(c[key] / c[divisor_key] if divisor_key else c[key])
        return values

    def ratio(self, top, bottom):
        """top / bottom within each run in which both were measured."""
        values = []
        for run in self.runs:
            t, b = run.get(top), run.get(bottom)
            if t and b and not t["error"] and not b["error"] and b["seconds"] > 0:
                values.append(t["seconds"] / b["seconds"])
        return values

    def failures(self):
        return [(name, f["error"]) for run in self.runs for name, f in sorted(run.items())
                if f["error"] and not f["error"].startswith(NOT_AVAILABLE)]


def format_time(seconds):
    if seconds < 1e-6:
        return f"{seconds * 1e9:.0f} ns"
    if seconds < 1e-3:
        return f"{seconds * 1e6:.3g} us"
    if seconds < 1:
        return f"{seconds * 1e3:.3g} ms"
    return f"{seconds:.3g} s"


def format_ratio(value):
    return f"{value:.2f}"


def spread(values, fmt):
    """The median and, with more than one value, the range: "1.02 (0.98-1.05)"."""
    if not values:
        return "-"
    text = fmt(statistics.median(values))
    if len(values) > 1:
        text += f" ({fmt(min(values))}-{fmt(max(values))})"
    return text


OPERATIONS = ["solve", "determinant", "product", "inverse", "adjugate"]
TYPES = ["float", "double", "complex", "bruch", "bruch-typed"]
SIZES = [3, 4, 5, 6, 9, 50, 200]


def name(operation, type_, implementation, n):
    return f"{operation}/{type_}/{implementation}/{n}"


def comparisons(judge):
    count = len(judge.runs)
    over = f" over {count} process runs; ratios: median (min-max) of the runs" if count > 1 else ""
    judge.print(f"## Library, bare arrays and peers (medians{over}; the typed fractions: "
                "time per system)")
    judge.print()
    judge.print("| operation | type | n | library | bare arrays | library / bare | Eigen "
                "| library / Eigen | library / fixed-size Eigen | boost / library | GMP / library |")
    judge.print("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|")

    def time(benchmark):
        values = judge.seconds(benchmark)
        return format_time(statistics.median(values)) if values else "-"

    for operation in OPERATIONS:
        for type_ in TYPES:
            for n in SIZES:
                library = name(operation, type_, "library", n)
                if not judge.seconds(library):
                    continue

                def against(implementation):
                    return spread(judge.ratio(library, name(operation, type_, implementation, n)),
                                  format_ratio)

                def peer_over(implementation):
                    return spread(judge.ratio(name(operation, type_, implementation, n), library),
                                  format_ratio)

                judge.print(
                    f"| {operation} | {type_} | {n} | {time(library)} "
                    f"| {time(name(operation, type_, 'bare', n))} | {against('bare')} "
                    f"| {time(name(operation, type_, 'eigen', n))} | {against('eigen')} "
                    f"| {against('eigen-fixed')} | {peer_over('boost')} | {peer_over('gmp')} |")

    judge.print()
    judge.print(f"## Programs (medians{' over %d process runs, min-max' % count if count > 1 else ''})")
    judge.print()
    judge.print("| benchmark | time |")
    judge.print("|---|---:|")
    names = sorted({n for run in judge.runs for n in run})
    for benchmark in names:
        if benchmark.startswith(("program/", "process/")) and "rechenpult" not in benchmark:
            judge.print(f"| {benchmark} | {spread(judge.seconds(benchmark), format_time)} |")


def goals(judge):
    count = len(judge.runs)
    judge.print()
    judge.print(f"## Goals (judged on the worst of {count} process run{'' if count == 1 else 's'})")
    judge.print()
    judge.print("| figure | worst run | median (min-max) | goal | verdict |")
    judge.print("|---|---:|---:|---:|---|")

    def row(figure, values, lower_is_better, limit, goal, fmt=format_ratio):
        if not values:
            judge.print(f"| {figure} | - | - | {goal} | not measured |")
            return
        worst = max(values) if lower_is_better else min(values)
        if goal == "reported":
            verdict = "-"
        else:
            met = worst <= limit if lower_is_better else worst >= limit
            verdict = "met" if met else "MISSED"
        judge.print(f"| {figure} | {fmt(worst)} | {spread(values, fmt)} | {goal} | {verdict} |")

    def at_most(figure, values, limit):
        row(figure, values, True, limit, f"<= {limit:.2f}")

    def at_least(figure, values, limit):
        row(figure, values, False, limit, f">= {limit:.1f}")

    def reported(figure, values):
        row(figure, values, True, 0, "reported")

    for operation in ["solve", "determinant"]:
        at_most(f"library / bare arrays, double, {operation}, n = 3",
                judge.ratio(name(operation, "double", "library", 3),
                            name(operation, "double", "bare", 3)), 1.10)
    for operation in ["solve", "determinant", "product"]:
        for n in [9, 50, 200]:
            at_most(f"library / bare arrays, double, {operation}, n = {n}",
                    judge.ratio(name(operation, "double", "library", n),
                                name(operation, "double", "bare", n)), 1.25)
    for operation in ["solve", "determinant"]:
        for type_ in ["float", "double", "complex"]:
            what = f"{type_}, {operation}"
            reported(f"library / fixed-size Eigen, {what}, n = 3",
                     judge.ratio(name(operation, type_, "library", 3),
                                 name(operation, type_, "eigen-fixed", 3)))
            for n in [3, 9, 50, 200]:
                figure = f"library / Eigen, {what}, n = {n}"
                values = judge.ratio(name(operation, type_, "library", n),
                                     name(operation, type_, "eigen", n))
                double_solve = type_ == "double" and operation == "solve"
                if double_solve and n == 9:
                    at_most(figure, values, 0.75)
                elif double_solve and n == 200:
                    at_most(figure, values, 1.2)
                elif n <= 9:
                    at_most(figure, values, 1.0)
                else:
                    reported(figure, values)

    def fraction_goals(type_, label, sizes):
        for n in sizes:
            library = name("solve", type_, "library", n)
            at = f", {label}, solve, n = {n}"
            at_least("boost::rational / library" + at,
                     judge.ratio(name("solve", type_, "boost", n), library), 1.5)
            at_least("GMP mpq / library" + at,
                     judge.ratio(name("solve", type_, "gmp", n), library), 5.0)

    fraction_goals("bruch-typed", "typed fractions", [3, 4, 5, 6])
    fraction_goals("bruch", "fractions D.L.U", [3, 9, 50])

    at_least("probelauf of the baseline / probelauf, typed fractions, 4000 cases",
             judge.ratio("process/probelauf-typed-baseline/4000", "process/probelauf-typed/4000"),
             1.5)
    for script in ["probelauf", "probelauf-double9", "probelauf-bruch"]:
        reported(f"{script} / its I/O floor, 10000 cases",
                 judge.ratio(f"program/{script}/10000", f"program/{script}-io-floor/10000"))
    row("calculator, key to redrawn screen, median of 1000 keys",
        judge.counter("program/rechenpult-redraw/1000", "median_ms"), True, 1.0, "< 1 ms",
        lambda value: f"{value:.3f} ms")
    for type_ in ["float", "double", "complex", "bruch"]:
        row(f"serienlauf, full fake-clock table, {type_}",
            judge.seconds(f"program/serienlauf-table/{type_}"), True, 10.0, "< 10 s", format_time)
    for type_ in ["float", "double", "complex", "bruch"]:
        row(f"serienlauf --zeitraffer, full table as a process, {type_}",
            judge.seconds(f"program/serienlauf-zeitraffer/{type_}"), True, 10.0, "< 10 s",
            format_time)
    for memory in ["memory/matrix-double/1000", "memory/probelauf-double/200"]:
        at_most(f"peak heap / element bytes, {memory}",
                judge.counter(memory, "max_bytes_used", "element_bytes"), 1.2)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("runs", nargs="+", help="JSON files of separate process runs")
    parser.add_argument("--save", help="also write the tables to this file")
    arguments = parser.parse_args()
    try:
        judge = Judge([load(path) for path in arguments.runs])
    except (OSError, ValueError, KeyError) as error:
        print(f"goals.py: {error}", file=sys.stderr)
        return 1
    comparisons(judge)
    goals(judge)
    failures = judge.failures()
    if failures:
        judge.print()
        judge.print(f"{len(failures)} failed case(s):")
        for benchmark, message in failures:
            judge.print(f"- {benchmark}: {message}")
    text = "\n".join(judge.lines) + "\n"
    sys.stdout.write(text)
    if arguments.save:
        with open(arguments.save, "w", encoding="utf-8") as file:
            file.write(text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
