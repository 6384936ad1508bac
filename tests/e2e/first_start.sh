#!/usr/bin/env bash
# A new user's first start under a real X server (Xvfb): the program creates its database and
# settings, shows "Default.lhd -- Linkhaven", and leaves through File > Exit. Xvfb has no
# notification area, so the window must stay reachable and Exit must end the program.
#   first_start.sh LINKHAVEN LINKHAVEN_CLI
set -euo pipefail
app=$1
cli=$2
name=first_start
. "$(dirname "$0")/start_window.sh"

[ -s "$data" ] || fail "the default database was not written to $data"
"$cli" info "$data" | grep -q '"categories":10' || fail "the default database does not load"

# A second start with another database hands it to the first, which opens it, and ends.
other=$home/Other.LHD
"$cli" new "$other" >/dev/null
timeout 20 "$app" "$other" >>"$home/out.log" 2>&1 || fail "the second start did not end by itself"
for _ in $(seq 1 100); do
    xdotool search --name '^Other\.LHD -- Linkhaven$' >/dev/null 2>&1 && break
    sleep 0.2
done
window=$(xdotool search --name '^Other\.LHD -- Linkhaven$' 2>/dev/null | head -1 || true)
[ -n "$window" ] || fail "the first instance did not open the file the second start named"

# File > Exit by keyboard.
xdotool windowfocus --sync "$window"
xdotool key alt+f
sleep 0.5
xdotool key x
for _ in $(seq 1 100); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.2
done
if kill -0 $pid 2>/dev/null; then
    kill $pid
    fail "File > Exit did not end the program"
fi
wait $pid || { cat "$home/out.log" >&2; fail "the program ended with an error"; }

conf=$XDG_CONFIG_HOME/Linkhaven/Linkhaven.conf
[ -s "$conf" ] || fail "the settings were not written to $conf"
grep -q '^GeneralCheck=' "$conf" || grep -q 'GeneralCheck' "$conf" || fail "no GeneralCheck in $conf"
grep -q 'winlayout' "$conf" || fail "the window layout was not written"
grep -q "Remotefile=$other" "$conf" || fail "the opened file was not remembered"
"$cli" info "$data" | grep -q '"result":1' || fail "the database saved before the switch does not load"
"$cli" info "$other" | grep -q '"result":1' || fail "the database written at exit does not load"
echo "first_start: ok"
