#!/bin/sh
# probelauf and rechenpult under memory limits: in a memory cgroup they refuse what does not fit,
# with their messages, in time, rather than be killed by the kernel (status 137), and they keep
# the margin they promise, so the group never even reaches its limit. Needs root and a writable
# memory controller (v1, or v2 with memory enabled for the root's children); otherwise it skips
# with status 77.
# Usage: memory_pressure.sh <probelauf> <rechenpult> [plain|sanitized]
probelauf=$1
rechenpult=$2
build=${3:-plain}

skip() {
    echo "skipped: $*"
    exit 77
}

[ "$(id -u)" = 0 ] || skip "creating a cgroup needs root"
if [ -f /sys/fs/cgroup/memory/memory.limit_in_bytes ]; then
    root=/sys/fs/cgroup/memory
    limitFile=memory.limit_in_bytes
    swapFile=memory.memsw.limit_in_bytes
    peakFile=memory.max_usage_in_bytes
elif grep -qw memory /sys/fs/cgroup/cgroup.subtree_control 2>/dev/null; then
    root=/sys/fs/cgroup
    limitFile=memory.max
    swapFile=memory.swap.max
    peakFile=memory.peak
else
    skip "no memory cgroup controller"
fi
command -v prlimit >/dev/null || skip "no prlimit"
work=$(mktemp -d)
group=$root/zifferon-memory-$$
trap 'rmdir "$group" 2>/dev/null; rm -rf "$work"' EXIT

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

# run_limited LIMIT COMMAND...: runs the command (standard input from $work/in, output to $out,
# by default $work/out, and $work/err) in a fresh group of LIMIT bytes without swap. Sets
# `status`, and `headroom` to what the group's peak usage left of its limit.
run_limited() {
    mkdir "$group" || skip "cannot create $group"
    echo "$1" >"$group/$limitFile" || skip "cannot limit $group"
    # Without swap in the limit the kernel would swap rather than kill.
    if [ -f "$group/$swapFile" ]; then
        case $swapFile in
            *swap.max) echo 0 >"$group/$swapFile" ;;
            *) echo "$1" >"$group/$swapFile" ;;
        esac
    fi
    shift
    # Descriptors a test driver leaves open are closed, so that a descriptor limit counts from 3.
    sh -c 'echo $$ >"$1/cgroup.procs" && shift && exec "$@" 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-' \
        sh "$group" "$@" <"$work/in" >"${out:-$work/out}" 2>"$work/err"
    status=$?
    headroom=$(($(cat "$group/$limitFile") - $(cat "$group/$peakFile")))
    rmdir "$group"
}

# expect WHAT STATUS ERR: the last run ended with STATUS, wrote ERR to standard error, and never
# reached the group's limit.
expect() {
    echo "$1: status $status, $headroom bytes left at the peak, stderr: $(head -c 300 "$work/err")"
    [ "$status" -eq "$2" ] || fail "$1: expected status $2 (137 means killed by the kernel)"
    [ "$(cat "$work/err")" = "$3" ] || fail "$1: expected on stderr: $3"
    [ "$headroom" -gt 0 ] || fail "$1: the group reached its limit"
}

# One case: a double n x n identity system, constants 1.
identity() {
    awk -v n="$1" 'BEGIN {
        printf "1\nid double %d %d\n", n, n
        for (i = 1; i <= n; i++) {
            for (j = 1; j <= n; j++) printf (i == j ? "1 " : "0 ")
            printf "\n"
        }
        printf "%d 1\n", n
        for (i = 1; i <= n; i++) print 1
    }'
}
refusal="Fehler im Testskript bei Testfall 1 (id): Fuer die Koeffizientenmatrix mit"

# Constant terms of 30000 x 30000 doubles (7.2 GB, and as much again for the result) are refused
# before anything of them is allocated.
printf '1\na double 1 1 5 30000 30000\n' >"$work/in"
run_limited 40M "$probelauf"
expect "probelauf, 30000 x 30000 constants" 1 "Fehler im Testskript bei Testfall 1 (a): Fuer \
die absoluten Glieder mit 30000 x 30000 Elementen reicht der Speicher nicht."
grep -q 'Beginn Testfall 1' "$work/out" || fail "expected the case to begin on stdout"

# A system and the solver's copy of it that come within 1.5 MB of the limit (2 x 20.2 MB of 40
# MiB) leave no room for the program itself: refused. One of half the size is solved.
identity 1590 >"$work/in"
run_limited 40M "$probelauf"
expect "probelauf, 1590 x 1590 in 40 MiB" 1 "$refusal 1590 x 1590 Elementen reicht der \
Speicher nicht."
identity 1000 >"$work/in"
run_limited 40M "$probelauf"
expect "probelauf, 1000 x 1000 in 40 MiB" 0 ""
grep -q "Ende Testfall 1" "$work/out" || fail "expected the case solved"

# With a single descriptor free the limits are still known (2 x 23.1 MB do not fit 40 MiB). A
# sanitizer's runtime needs two free descriptors of its own.
if [ "$build" = sanitized ]; then
    echo "probelauf with one free descriptor: left out in a sanitized build"
else
    identity 1700 >"$work/in"
    run_limited 40M prlimit --nofile=4 "$probelauf"
    expect "probelauf with one free descriptor, 1700 x 1700 in 40 MiB" 1 "$refusal 1700 x 1700 \
Elementen reicht der Speicher nicht."
fi

# rechenpult, element type double: matrix 1 becomes 1700 x 1700 (23.1 MB) with the elements (1,2)
# and (2,1) set, so that it is not triangular; the values dialog is left by an input error. Its
# determinant needs a working copy as large: refused with "unbekannter Fehler", and the
# calculator goes on, matrix 1 as it was.
{
    printf 'P\r\r\r1700\n1700\nPP\r0\n1\n'
    awk 'BEGIN { for (i = 3; i <= 1700; i++) print 0 }'
    printf '1\nx\n PP\rPPP\r\r PPPPPP\rP\r\r '
} >"$work/in"
# The screens go through a pipe: a file's pages would count against the group.
mkfifo "$work/screens"
awk '/^Dreiecksmatrix: keine$/ { t = 1 } /^0\t1\t0\t0\t/ { a = 1 } /^1\t0\t0\t0\t/ { b = 1 }
    END { print t + a + b }' <"$work/screens" >"$work/shown" &
out=$work/screens run_limited 40M "$rechenpult"
wait
textError() {
    printf '\nEs ist ein Fehler aufgetreten: \n%s\n\n' "$1"
}
expect "rechenpult, determinant of 1700 x 1700 in 40 MiB" 0 "$(
    textError "Eingabefehler (Dezimalzahl)"
    textError "unbekannter Fehler"
)"
[ "$(cat "$work/shown")" = 3 ] || fail "matrix 1 changed"

# The equation solver with 1700 unknowns: each of its matrices fits, but not with the solver's
# copies; refused before a value is asked for.
printf 'P\rPPPP\r1700\n' >"$work/in"
run_limited 40M "$rechenpult"
expect "rechenpult, solver with 1700 unknowns in 40 MiB" 0 "$(textError "unbekannter Fehler")"
grep -q 'Zeile 1 , Spalte 1' "$work/out" && fail "the solver asked for values"

exit $failed
