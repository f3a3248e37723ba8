#!/usr/bin/env bash
# Runs the programs under valgrind's memcheck: fehlerlauf, probelauf on a varied script, a short
# fake-clock mass-test run and a scripted calculator session. Any memory error or leak fails.
# Usage: run-memcheck.sh <directory of the built programs and tests>
set -euo pipefail
bin=${1:?directory of the built programs}
memcheck=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect
          --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --quiet)

# Runs one program under memcheck with the given standard input; the expected exit status
# comes first.
check() {
    local expected=$1 input=$2
    shift 2
    local status=0
    printf '%b' "$input" | "${memcheck[@]}" "$@" >/dev/null 2>"$log" || status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "memcheck: $* ended with status $status, expected $expected" >&2
        cat "$log" >&2
        exit 1
    fi
    echo "memcheck: $(basename "$1") clean"
}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

check 0 '' "$bin/fehlerlauf"

# Every type, the three verdicts, a row exchange, argument errors, a non-square system, a wrong
# type word, unreduced fractions, a fraction overflow, then a script that breaks off.
probelauf_script='9
eins double 1 1 2 1 1 4
tausch float 2 2 0 1 1 0 2 1 3 4
keine complex 2 2 (1,0) (2,0) (2,0) (4,0) 2 1 (3,0) (7,0)
viele bruch 2 2 2/4 1/-2 1/1 -1/1 2 1 1/1 2/1
zweispaltig double 2 2 1 0 0 1 2 2 1 2 3 4
hoch double 3 2 1 2 3 4 5 6 3 1 1 2 3
Bruch Bruch
gross bruch 2 2 4611686018427387904/1 1/1 1/1 4611686018427387904/1 2 1 1/1 1/1
abgebrochen float 2'
check 1 "$probelauf_script" "$bin/probelauf"

check 0 '' "$bin/serienlauf_test" --gtest_filter='SeriesCycle.*:SeriesDeviation.*'

# Sizes, values, reports, arithmetic, operations and the solver in each element type, with an
# input error on the way; from the main menu on.
session() {
    local a=$1 b=$2 c=$3 d=$4
    printf '%s' "\\r\\r2\\n2\\nPP\\r$a $b $c $d\\nP\\r$a x\\n P\\rP\\r\\r P\\r P\\rPP\\r\\r P\\r P\\r P\\r"
    printf '%s' "PPP\\r\\r P\\r P\\r P\\r P\\r P\\r P\\rPPPP\\r2\\n$a $b $c $d\\n$b $c\\n H\\r"
}
check 0 "\\r$(session 1 2 3 4)" "$bin/rechenpult"
check 0 "P\\r$(session 1 2 3 4)" "$bin/rechenpult"
check 0 "PP\\r$(session '(1,1)' '(2,0)' 3 '(0,4)')" "$bin/rechenpult"
check 0 "PPP\\r$(session 1/2 2/1 3/4 4/1)" "$bin/rechenpult"
