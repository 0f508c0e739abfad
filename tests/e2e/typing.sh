#!/usr/bin/env bash
# Starts the real program under a virtual X server, types into it with real X key events and
# checks the bytes the editor holds when it is told to quit.
set -euo pipefail
varnet=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
varnet=$1 out=$2
"$varnet" --dump-text "$out" &
pid=$!
win=$(xdotool search --sync --onlyvisible --name 'Varnet' | head -n 1)
xdotool windowfocus --sync "$win"
sleep 0.5
xdotool type --delay 20 'abc'
xdotool key --delay 20 Return
xdotool type --delay 20 'x y'
xdotool key --delay 20 BackSpace Home
# Characters outside the keyboard map are typed by remapping a spare key; give the server
# time to see each new mapping.
sleep 0.3
xdotool type --delay 150 '日本'
sleep 0.5
kill -TERM "$pid"
wait "$pid"
INNER

XDG_RUNTIME_DIR=$work xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/run.sh" "$varnet" "$work/out.txt"
expected=$(printf 'abc\r\n\x93\xfa\x96\x7bx ' | od -An -tx1)
actual=$(od -An -tx1 <"$work/out.txt")
if [ "$expected" != "$actual" ]; then
  echo "expected:$expected"
  echo "actual:  $actual"
  exit 1
fi
echo "typed text arrived byte for byte"
