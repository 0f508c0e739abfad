#!/usr/bin/env bash
# Opens a Shift-JIS file named on the command line in the real program under a virtual X
# server, types into it, saves with Ctrl+S and checks the bytes on disk; then starts the
# program again on the saved file and checks that it holds exactly those bytes.
set -euo pipefail
varnet=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"
# 日本語 / a half-width katakana line / a line with a lone trail byte, no final break.
printf '\x93\xfa\x96\x7b\x8c\xea\r\n\xb1\xb2\xb3 abc\r\nend\x40' >"$work/doc.txt"

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
varnet=$1 doc=$2 out=$3
"$varnet" "$doc" &
pid=$!
win=$(xdotool search --sync --onlyvisible --name 'DOC.TXT' | head -n 1)
xdotool windowfocus --sync "$win"
sleep 0.5
xdotool key --delay 30 ctrl+End
xdotool type --delay 30 '!'
xdotool key --delay 30 ctrl+Home
xdotool type --delay 30 'X'
before=$(od -An -tx1 <"$doc")
xdotool key --delay 30 ctrl+s
for _ in $(seq 50); do
  [ "$(od -An -tx1 <"$doc")" != "$before" ] && break
  sleep 0.1
done
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
# Open the saved file again and let the program hand back what it holds.
"$varnet" --dump-text "$out" "$doc" &
pid=$!
xdotool search --sync --onlyvisible --name 'DOC.TXT' >/dev/null
sleep 0.3
kill -TERM "$pid"
wait "$pid"
INNER

VARNET_HOME=$work/home XDG_RUNTIME_DIR=$work xvfb-run -a -s "-screen 0 1024x768x24" \
  bash "$work/run.sh" "$varnet" "$work/doc.txt" "$work/out.txt"
expected=$(printf 'X\x93\xfa\x96\x7b\x8c\xea\r\n\xb1\xb2\xb3 abc\r\nend\x40!' | od -An -tx1)
saved=$(od -An -tx1 <"$work/doc.txt")
reopened=$(od -An -tx1 <"$work/out.txt")
if [ "$expected" != "$saved" ]; then
  echo "saved:    $saved"; echo "expected: $expected"; exit 1
fi
if [ "$expected" != "$reopened" ]; then
  echo "reopened: $reopened"; echo "expected: $expected"; exit 1
fi
echo "saved and reopened byte for byte"
