#!/usr/bin/env bash
# A logout or `kill -TERM` ends the program as the session's end does: a category created through
# the menus a moment before is in the data file afterwards.
#   signal_end.sh LINKHAVEN LINKHAVEN_CLI
set -euo pipefail
app=$1
cli=$2
name=signal_end
. "$(dirname "$0")/start_window.sh"

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
