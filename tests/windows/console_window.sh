#!/usr/bin/env bash
# The console window as a user at a Windows console meets it, through Wine's console on a
# pseudo-terminal: keys typed one by one (an arrow as prefix and code, Enter as 13), the pause
# taking a whole arrow key, a colour, a cleared screen, and no processor time spent while a key
# is awaited.
#
# Usage: console_window.sh WINE DRIVER WORK_DIR
set -euo pipefail
wine=$1 driver=$2 work=$3

fail() {
    echo "FAIL: $*" >&2
    [[ -f ${screen:-} ]] && cat -v "$screen" | tr -s '\n' | head -60 >&2
    exit 1
}

mkdir -p "$work"
screen=$work/screen.txt
keys=$work/keys
rm -f "$screen" "$keys"
mkfifo "$keys"

# script(1) gives the program a terminal of its own, so Wine makes it a console.
script -qfec "$(printf '%q ' "$wine" "$driver" key key key pause key attr:12 key attr:7 clear key)" \
    "$screen" <"$keys" >/dev/null 2>"$work/script.log" &
session=$!
trap 'kill "$session" 2>/dev/null || true' EXIT
exec 3>"$keys"
# A program that ends early closes the terminal; typing into it then fails instead of killing us.
trap '' PIPE
type_keys() { printf "$1" >&3 || fail "the program ended before $2"; }

shown() { grep -o "await key" "$screen" 2>/dev/null | wc -l; }
await() {
    local waited=0
    while (($(shown) < $1)); do
        ((waited < 300)) || fail "no prompt number $1"
        sleep 0.1
        waited=$((waited + 1))
    done
}

# Nothing may be typed before the console has taken the terminal over.
await 1
sleep 1
# The program's process runs under the name it was started with; script's has it as argument.
program=$(pgrep -n -f "^$driver ") || fail "no process of $driver"
ticks() { awk '{ print $14 + $15 }' "/proc/$program/stat"; }
before=$(ticks)
sleep 2
idle=$(($(ticks) - before))
# A key wait that polled would use up the two seconds; a blocking one uses next to nothing.
((idle < 20)) || fail "$idle ticks of processor time while waiting for a key"

type_keys '\033[A' 'the arrow key'
await 3
type_keys '\r' 'Enter'
for _ in $(seq 300); do
    grep -q "Druecken Sie" "$screen" && break
    sleep 0.1
done
type_keys '\033[B' 'the pause' # the whole arrow key ends the pause
await 4
type_keys x 'the fourth key'
await 5
type_keys a 'the fifth key'
await 6
type_keys b 'the sixth key'
for _ in $(seq 100); do
    grep -q "key 98" "$screen" && break
    sleep 0.1
done
exec 3>&-
wait "$session" || fail "the session ended with status $?"

reported=$(tr -d '\r' <"$screen" | grep -o 'key [0-9]*$\|paused$' | tr '\n' ' ')
[[ $reported == "key 224 key 72 key 13 paused key 120 key 97 key 98 " ]] ||
    fail "keys reported: $reported"
grep -q 'Druecken Sie eine beliebige Taste \. \. \.' "$screen" || fail "no pause prompt"
# Attribute 12 is bright red text: the prompt written after it shows in that colour.
grep -qP '\e\[[0-9;]*91m(\e\[[0-9;?]*[A-Za-z])*await key' "$screen" ||
    fail "no bright red prompt"
# The cleared screen starts at the top left: the last prompt follows a cursor-home.
tail -c 2000 "$screen" | tr -d '\r\n' | grep -qP '\e\[H(\e\[[0-9;?]*[A-Za-z])*await key' ||
    fail "the last prompt is not at the top of a cleared screen"
echo "keys, pause, colour and clearing as expected; $idle ticks while waiting"
