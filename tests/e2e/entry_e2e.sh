#!/usr/bin/env bash
# Types one QSO into the real program under a virtual display and checks the stored row.
# Exits 77 (skipped) when no display server can be started here.
set -euo pipefail
app=$1 tool=$2
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "no Xvfb/xdotool"; exit 77; }

work=$(mktemp -d)
trap 'kill ${app_pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
home=$work/home
mkdir -p "$home"
"$tool" --home "$home" new "$work/e2e.vhf" --call Q9ABC --locator JN75DS --bands "144 MHz;432 MHz" >/dev/null
printf '[Main]\r\nLastOpened=%s\r\n' "$work/e2e.vhf" > "$home/Ostrelog.ini"

display=""
for n in $(seq 90 120); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then display=:$n; break; fi
done
[[ -n $display ]] || { echo "no free display"; exit 77; }
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do DISPLAY=$display xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display xdotool getmouselocation >/dev/null 2>&1 || { echo "Xvfb did not start"; exit 77; }
export DISPLAY=$display

"$app" --home "$home" >"$work/app.log" 2>&1 &
app_pid=$!
win=""
for _ in $(seq 100); do
  win=$(xdotool search --name "Ostrelog by" 2>/dev/null | head -1 || true)
  [[ -n $win ]] && break
  sleep 0.1
done
[[ -n $win ]] || { echo "the main window did not appear"; cat "$work/app.log"; exit 1; }
sleep 1
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key --window "$win" F12
xdotool type --delay 40 "Q1ABC"
xdotool key --delay 40 Tab
xdotool type --delay 40 "5"
xdotool key --delay 40 Tab
xdotool key --delay 40 ctrl+a BackSpace
xdotool type --delay 40 "JN76TO"
xdotool key --delay 40 Return
sleep 1

rows=$("$tool" --home "$home" list "$work/e2e.vhf")
echo "$rows"
echo "$rows" | awk -F'\t' 'NR > 1 && $6 == "Q1ABC" && $11 == "5" && $13 == "JN76TO" { found = 1 } END { exit found ? 0 : 1 }'
