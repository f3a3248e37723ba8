#!/usr/bin/env python3
"""Where a typed-fraction solve spends its instructions: a callgrind profile per system.

Runs zifferon_bench under valgrind's callgrind, one case at a time, collecting only inside the
pass over all systems (Batch<...>::solve or ::determinant), and prints per system: the
instructions, the 64-bit divisions, the calls of libgcc's 128-bit division, the steps of a
binary gcd (tzcnt or bsf instructions), the conditional branches and how many of them
callgrind's simple predictor misses. Instruction counts do not depend on the machine's load,
so they show on a busy machine what the time figures cannot; cycles they do not give (a
division takes tens of cycles, a missed branch some fifteen).

    bench/instruction_profile.py build/bench/bin/zifferon_bench [case ...]

A case is a benchmark name, by default solve/bruch-typed/{library,boost,gmp}/{3,4,5,6}.
Needs valgrind, objdump and nm (binutils).
"""

import argparse
import json
import os
import re
import subprocess
import sys
import tempfile
from collections import Counter, defaultdict

IMPLEMENTATIONS = {
    "library": "LibraryAlgebra<zifferon::Bruch>",
    "bare": "BareAlgebra<zifferon::Bruch>",
    "boost": "BareAlgebra<boost::rational<long long> >",
    "gmp": "GmpAlgebra",
}
WIDE_DIVISIONS = {"__udivti3", "__divti3", "__umodti3", "__modti3", "__udivmodti4",
                  "__divmodti4"}
REGISTER64 = re.compile(r"%r([a-z]{2}|\d+)$")


def pass_function(case):
    """The callgrind pattern of the case's pass over all its systems."""
    operation, _, implementation, _ = case.split("/")
    return f"*Batch<*{IMPLEMENTATIONS[implementation]}*>::{operation}()"


def run_case(binary, case, directory):
    out = os.path.join(directory, "callgrind.out")
    report = os.path.join(directory, "run.json")
    subprocess.run(
        ["valgrind", "--tool=callgrind", "--branch-sim=yes", "--dump-instr=yes",
         "--compress-strings=no", "--compress-pos=no", "--collect-atstart=no",
         f"--toggle-collect={pass_function(case)}", f"--callgrind-out-file={out}",
         binary, f"--benchmark_filter=^{case}$", "--benchmark_repetitions=1",
         "--benchmark_min_time=0.000001", f"--benchmark_out={report}",
         "--benchmark_out_format=json"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(report, encoding="utf-8") as file:
        runs = [b for b in json.load(file)["benchmarks"] if b["run_type"] == "iteration"]
    if len(runs) != 1 or runs[0].get("error_occurred"):
        raise RuntimeError(f"{case}: {runs}")
    iterations = runs[0]["iterations"]
    # The timed run, then Google Benchmark's memory run of at most 16 iterations (which the
    # heap counts in the output show).
    passes = iterations + (min(16, iterations) if "allocs_per_iter" in runs[0] else 0)
    systems = passes * int(runs[0].get("systems", 1))
    return out, systems


def parse(path):
    """Self cost per (object, instruction address) and the calls to each function name."""
    events, positions = [], 1
    cost = defaultdict(lambda: defaultdict(lambda: defaultdict(int)))  # object, address, event
    entries = defaultdict(dict)  # object -> function -> lowest address seen
    calls = defaultdict(int)
    obj = function = called = None
    skip_next = False
    with open(path, encoding="utf-8", errors="replace") as file:
        for line in file:
            line = line.rstrip("\n")
            if line.startswith("events:"):
                events = line.split()[1:]
            elif line.startswith("positions:"):
                positions = len(line.split()) - 1
            elif line.startswith("ob="):
                obj = line[3:]
            elif line.startswith("fn="):
                function = line[3:]
            elif line.startswith("cfn="):
                called = line[4:]
            elif line.startswith("calls="):
                calls[called] += int(line.split()[0][6:])
                skip_next = True  # the next cost line is the call's inclusive cost
            elif line[:2] == "0x":
                if skip_next:
                    skip_next = False
                    continue
                fields = line.split()
                address = int(fields[0], 16)
                values = [int(v) for v in fields[positions:]]
                for event, value in zip(events, values):
                    cost[obj][address][event] += value
                known = entries[obj].get(function)
                if known is None or address < known:
                    entries[obj][function] = address
    return events, cost, entries, calls


def disassemble(path):
    """Address -> (mnemonic, operands), and function name -> address, of an object file."""
    code, symbols = {}, {}
    text = subprocess.run(["objdump", "-d", "-C", "--no-show-raw-insn", path],
                          check=True, capture_output=True, text=True).stdout
    for line in text.splitlines():
        symbol = re.match(r"^([0-9a-f]+) <(.*)>:$", line)
        if symbol:
            symbols[symbol.group(2)] = int(symbol.group(1), 16)
            continue
        instruction = re.match(r"^\s+([0-9a-f]+):\s+(\S+)\s*(.*)$", line)
        if instruction:
            code[int(instruction.group(1), 16)] = (instruction.group(2), instruction.group(3))
    # A stripped shared library (GMP's) names only its exported functions.
    exported = subprocess.run(["nm", "-D", "-C", "--defined-only", path],
                              capture_output=True, text=True).stdout
    for line in exported.splitlines():
        fields = line.split(maxsplit=2)
        if len(fields) == 3 and fields[1] in "Tt":
            symbols.setdefault(fields[2], int(fields[0], 16))
    return code, symbols


def profile(binary, case):
    with tempfile.TemporaryDirectory() as directory:
        out, systems = run_case(binary, case, directory)
        events, cost, entries, calls = parse(out)
    totals = defaultdict(int)
    for obj, addresses in cost.items():
        for per_event in addresses.values():
            for event, value in per_event.items():
                totals[event] += value
        code, symbols = disassemble(obj)
        # Where the object was loaded: the offset that maps most functions' entries (their
        # lowest executed address) to their symbols.
        offsets = Counter(lowest - symbols[function]
                          for function, lowest in entries[obj].items() if function in symbols)
        if not offsets:
            continue
        bias = offsets.most_common(1)[0][0]
        for address, per_event in addresses.items():
            mnemonic, operands = code.get(address - bias, ("", ""))
            executed = per_event.get("Ir", 0)
            if mnemonic in ("div", "idiv", "divq", "idivq") and (
                    mnemonic.endswith("q") or REGISTER64.search(operands)):
                totals["div64"] += executed
            elif mnemonic in ("tzcnt", "bsf", "rep bsf"):
                totals["gcd steps"] += executed
    totals["div128 calls"] = sum(n for f, n in calls.items() if f in WIDE_DIVISIONS)
    return systems, totals


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("binary")
    parser.add_argument("cases", nargs="*")
    arguments = parser.parse_args()
    cases = arguments.cases or [f"solve/bruch-typed/{i}/{n}" for n in (3, 4, 5, 6)
                                for i in ("library", "boost", "gmp")]
    print("| case | systems | instructions | 64-bit divisions | 128-bit division calls "
          "| binary-gcd steps | conditional branches | of them missed (simulated) |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|")
    for case in cases:
        systems, totals = profile(arguments.binary, case)

        def per(event):
            return f"{totals.get(event, 0) / systems:,.0f}"

        print(f"| {case} | {systems} | {per('Ir')} | {per('div64')} | {per('div128 calls')} "
              f"| {per('gcd steps')} | {per('Bc')} | {per('Bcm')} |", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
