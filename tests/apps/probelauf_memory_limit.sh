#!/bin/sh
# probelauf in a cgroup limited to 700 MB: a case whose matrices do not fit ends the run with the
# memory message and status 1, rather than being killed by the kernel once the pages are
# touched. Needs root and a writable memory controller (v1, or v2 with memory enabled for the
# root's children); otherwise it skips with status 77.
# Usage: probelauf_memory_limit.sh <probelauf>
program=$1

skip() {
    echo "skipped: $*"
    exit 77
}

[ "$(id -u)" = 0 ] || skip "creating a cgroup needs root"
name=zifferon-probelauf-$$
if [ -f /sys/fs/cgroup/memory/memory.limit_in_bytes ]; then
    group=/sys/fs/cgroup/memory/$name
    limits="memory.limit_in_bytes memory.memsw.limit_in_bytes"
elif grep -qw memory /sys/fs/cgroup/cgroup.subtree_control 2>/dev/null; then
    group=/sys/fs/cgroup/$name
    limits="memory.max memory.swap.max"
else
    skip "no memory cgroup controller"
fi
mkdir "$group" 2>/dev/null || skip "cannot create $group"
out=$(mktemp)
err=$(mktemp)
trap 'rmdir "$group"; rm -f "$out" "$err"' EXIT

set -- $limits
echo 700M >"$group/$1" || skip "cannot limit $group"
# Without swap in the limit the kernel would swap rather than kill.
if [ -f "$group/$2" ]; then
    case $2 in
        *swap.max) echo 0 >"$group/$2" ;;
        *) echo 700M >"$group/$2" ;;
    esac
fi

# A 1 x 1 coefficient matrix, then constant terms of 30000 x 30000 doubles (7.2 GB, and as much
# again for the result).
printf '1\na double 1 1 5 30000 30000\n' |
    sh -c 'echo $$ >"$1/cgroup.procs" && exec "$2"' sh "$group" "$program" >"$out" 2>"$err"
status=$?

expected="Fehler im Testskript bei Testfall 1 (a): Fuer die absoluten Glieder mit 30000 x 30000 \
Elementen reicht der Speicher nicht."
echo "cgroup $group, limit 700M: status $status, stderr: $(cat "$err")"
failed=0
if [ "$status" -ne 1 ]; then
    echo "expected status 1 (137 means killed by the kernel)"
    failed=1
fi
if [ "$(cat "$err")" != "$expected" ]; then
    echo "expected on stderr: $expected"
    failed=1
fi
if ! grep -q 'Beginn Testfall 1' "$out"; then
    echo "expected the case to begin on stdout"
    failed=1
fi
exit $failed
