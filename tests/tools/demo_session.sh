#!/usr/bin/env bash
# demo_session.sh <source folder> <build folder>
# The demo session as scripts/run --demo starts it, with quorval-cli in the
# window's place: the program finds the "Demo" server and its games in its
# throw-away folder, and once it ends the server has stopped and the folder
# is gone.
set -euo pipefail
source_dir=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work

fail() { echo "FAIL: $*" >&2; exit 1; }

"$source_dir/scripts/demo-session" "$build" quorval-cli games Demo --all > "$work/games.out" 2> "$work/games.err" \
    || { cat "$work/games.out" "$work/games.err"; fail "quorval-cli games ended with an error"; }
cat "$work/games.out"
grep -q '1001' "$work/games.out" || fail "the demo game 1001 is not listed"
grep -q 'Demo Player' "$work/games.out" || fail "the demo player is not named"
address=$(sed -n 's/^Demo server: \(http:[^ ]*\) .*/\1/p' "$work/games.err")
[ -n "$address" ] || { cat "$work/games.err"; fail "no server address reported"; }
port=$(echo "$address" | sed -n 's|^http://127.0.0.1:\([0-9]*\)/.*|\1|p')
[ -n "$port" ] || fail "the server is not on loopback: $address"
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    fail "the server still listens on port $port after the program ended"
fi
leftovers=$(find "$work" -maxdepth 1 -name 'quorval-demo.*')
[ -z "$leftovers" ] || fail "the demo folder was left behind: $leftovers"

# A program that fails still stops the server and gives its exit code.
status=0
"$source_dir/scripts/demo-session" "$build" quorval-cli show Demo 424242 > /dev/null 2> "$work/show.err" || status=$?
[ "$status" -ne 0 ] || fail "an unknown game gave exit code 0"
port=$(sed -n 's|^Demo server: http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/show.err")
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    fail "the server still listens after a failed command"
fi
# The window itself, offscreen: it lists the Demo server, loads its games and
# ends once it has painted them.
QT_QPA_PLATFORM=offscreen QUORVAL_STARTUP_PROBE=1 timeout 120 \
    "$source_dir/scripts/demo-session" "$build" quorval > "$work/window.out" 2> "$work/window.err" \
    || { cat "$work/window.out" "$work/window.err"; fail "the demo window did not start"; }
grep -q '^started$' "$work/window.out" || { cat "$work/window.err"; fail "the window did not report its start"; }

# Ended from outside, the session still stops its server.
"$source_dir/scripts/demo-session" "$build" quorval-cli games > /dev/null 2> "$work/slow.err" &
session=$!
sleep 0.5
kill -TERM "$session" 2>/dev/null || true
wait "$session" 2>/dev/null || true
leftovers=$(find "$work" -maxdepth 1 -name 'quorval-demo.*')
[ -z "$leftovers" ] || fail "an ended session left its folder: $leftovers"
echo "demo session: games listed, window started, server stopped, folder removed"
