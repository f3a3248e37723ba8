#!/usr/bin/env bash
# A short run of one mass test under Wine: the real program, stopped once it has written ROWS
# rows (or after LIMIT seconds), and its table checked row by row by the table checker. Every
# cycle waits three times for a second, so the rows can come no faster than one per three
# seconds; the rows carry the local date.
#
# Usage: short_series.sh WINE CHECKER PROGRAM q|z|f|d ROWS LIMIT WORK_DIR
set -euo pipefail
wine=$1 checker=$2 program=$3 type=$4 rows=$5 limit=$6 work=$7

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir -p "$work"
table=$work/table.txt
errors=$work/errors.txt
report=$work/report.txt
today() { date +%-d.%-m.%Y; }
written() { local lines; lines=$(wc -l <"$table"); echo $((lines > 0 ? lines - 1 : 0)); }

: >"$table"
first_day=$(today)
start=$(date +%s)
"$wine" "$program" </dev/null >"$table" 2>"$errors" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
while (($(written) < rows && $(date +%s) - start < limit)); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
    sleep 0.2
done
kill "$pid"
wait "$pid" || true
elapsed=$(($(date +%s) - start))
last_day=$(today)

count=$(written)
echo "$count rows in $elapsed s"
[[ ! -s $errors ]] || fail "standard error: $(head -c 500 "$errors")"
((count >= 1)) || fail "no row within $limit s"
((count <= elapsed / 3 + 1)) || fail "$count rows in $elapsed s: the waits did not wait"

"$wine" "$checker" "$type" <"$table" >"$report" 2>"$errors" ||
    fail "the table checker found faults: $(head -c 2000 "$errors")"
grep -qx "rows $count" "$report" || fail "the checker saw other rows: $(cat "$report")"
for which in first last; do
    day=$(sed -n "s/^$which //p" "$report")
    [[ $day == "$first_day" || $day == "$last_day" ]] ||
        fail "the $which row has the date $day, not $first_day"
done
echo "checked: $(tr '\n' ' ' <"$report")"
