#!/usr/bin/env bash
# A logout or `kill -TERM` ends the program as the session's end does: a category created through
# the menus a moment before is in the data file afterwards.
#   signal_end.sh LINKHAVEN LINKHAVEN_CLI
set -euo pipefail
app=$1
cli=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/run LINKHAVEN_UPDATE_URL=http://127.0.0.1:1
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

fail() { echo "signal_end: $*" >&2; exit 1; }

for _ in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done

"$app" >"$home/out.log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 150); do
    window=$(xdotool search --name '^Default\.lhd -- Linkhaven$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    kill -0 $pid 2>/dev/null || { cat "$home/out.log" >&2; fail "the program ended early"; }
    sleep 0.2
done
[ -n "$window" ] || { kill $pid; fail "no main window"; }
data=$XDG_DATA_HOME/Linkhaven/Default.lhd

# Category(E) > New Category, named "Kept".
xdotool windowfocus --sync "$window"
xdotool key alt+e
sleep 0.5
xdotool key Return
sleep 1
xdotool type --delay 50 Kept
xdotool key Return
sleep 1
"$cli" tree "$data" | grep -q ' Kept ' && fail "the category was saved before the signal"

kill -TERM $pid
for _ in $(seq 1 100); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
    kill -KILL $pid
    fail "SIGTERM did not end the program"
fi
wait $pid || true
"$cli" tree "$data" | grep -q ' Kept ' || { "$cli" tree "$data" >&2; fail "the new category was lost"; }
[ -s "$XDG_CONFIG_HOME/Linkhaven/Linkhaven.conf" ] || fail "the settings were not written"
echo "signal_end: ok"
