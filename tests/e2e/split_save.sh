#!/usr/bin/env bash
# The real program under a virtual X server: opens a C file, which shows coloured (reserved
# words and comments in their colours on the screenshot), splits the window from the Window
# menu, types into the lower view, saves with Ctrl+S and compares the file's bytes.
set -euo pipefail
varnet=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'int main(void) /* note */\r\n{\r\n    return 0;\r\n}\r\n' >"$work/hello.c"
# The language definitions the build puts beside the program.
cp "$(dirname "$varnet")/CodeView.cfg" "$work/"

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
varnet=$1 dir=$2
cd "$dir"
"$varnet" "$dir/hello.c" &
pid=$!
win=$(xdotool search --sync --onlyvisible --name 'HELLO.C' | head -n 1)
xdotool windowfocus --sync "$win"
sleep 0.8
import -window root "$dir/before.png"
# Window menu (Alt+W), then its split item (S).
xdotool key --delay 80 alt+w
sleep 0.3
xdotool key --delay 80 s
sleep 0.6
# Into the lower view, at the start of the text, type there.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT * 3 / 4)) click 1
sleep 0.3
xdotool key --delay 40 ctrl+Home
xdotool type --delay 40 '// top'
xdotool key --delay 40 Return
sleep 0.3
import -window root "$dir/split.png"
xdotool key --delay 80 ctrl+s
sleep 0.8
kill -TERM "$pid" 2>/dev/null || true
wait "$pid" || true
INNER

XDG_RUNTIME_DIR=$work VARNET_HOME=$work xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/run.sh" "$varnet" "$work"

status=0
# Reserved words blue (#0000FF) and the comment green (#008000) in the default C colours.
colours=$(convert "$work/before.png" -format %c histogram:info:- | tr 'A-Z' 'a-z')
for c in '#0000ff' '#008000'; do
  if ! grep -q "$c" <<<"$colours"; then
    echo "no $c on the screen: the C file is not coloured"
    status=1
  fi
done
expected=$(printf '// top\r\nint main(void) /* note */\r\n{\r\n    return 0;\r\n}\r\n' | od -An -tx1)
actual=$(od -An -tx1 <"$work/hello.c")
if [ "$expected" != "$actual" ]; then
  echo "expected:$expected"
  echo "actual:  $actual"
  status=1
fi
if [ -n "${VARNET_E2E_KEEP:-}" ]; then
  cp "$work"/*.png "$VARNET_E2E_KEEP"/ 2>/dev/null || true
fi
[ $status -eq 0 ] && echo "coloured, split, typed in the lower view and saved byte for byte"
exit $status
