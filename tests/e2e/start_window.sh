# Sourced by the end-to-end scripts: a fresh home, the X server answering, and the program started
# on its default data file with its main window up. Needs $app and $name (for messages); sets
# $home, $data, $pid and $window.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/run LINKHAVEN_UPDATE_URL=http://127.0.0.1:1
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
data=$XDG_DATA_HOME/Linkhaven/Default.lhd

fail() { echo "$name: $*" >&2; exit 1; }

# The X server may still be starting: wait until it answers.
for _ in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "the X server at $DISPLAY does not answer"

"$app" >"$home/out.log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 150); do
    window=$(xdotool search --name '^Default\.lhd -- Linkhaven$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    kill -0 $pid 2>/dev/null || { cat "$home/out.log" >&2; fail "the program ended early"; }
    sleep 0.2
done
[ -n "$window" ] || { kill $pid; fail "no window titled 'Default.lhd -- Linkhaven'"; }
