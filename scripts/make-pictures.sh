#!/usr/bin/env bash
# Makes the manual's pictures from the real program: runs it on a virtual X
# screen with the simulated keyboard, opens each window the manual shows and
# saves it, cropped to the window and reduced to a few colours, as
# docs/manual/pictures/<lang>/<name>.png.
#
#   scripts/make-pictures.sh [ko|en] [OUTDIR]
#
# Installs nothing: Xvfb, xdotool and ImageMagick come from
# scripts/install-deps.sh. The program is build/src/quilby (QUILBY=... names
# another). Each picture is taken in a fresh run in a scratch folder, with its
# own settings, so neither the tree nor the user's settings are touched.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
lang=${1:-ko}
out=${2:-$root/docs/manual/pictures/$lang}
quilby=${QUILBY:-$root/build/src/quilby}
case "$lang" in ko | en) ;; *) echo "usage: $0 [ko|en] [OUTDIR]" >&2 && exit 64 ;; esac
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing: run scripts/install-deps.sh" >&2
    exit 1
  }
done
[ -x "$quilby" ] || { echo "$quilby is not built: run scripts/build.sh" >&2 && exit 1; }

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
stop_app() {
  if [ -n "$app_pid" ]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
  fi
}
cleanup() {
  stop_app
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses, chosen by the server itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2 && exit 1; }
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
unset QT_SCALE_FACTOR
mkdir -p "$out" "$work/home"
cp "$root/data/Default.key" "$root/data/MCR.OPN" "$work/"

# A second table for the comparison: three labels changed (Esc -> ESC, d -> D, F1 -> F2).
sed -e '4s/^69 115 99 /69 83 67 /' -e '244s/^100 /68 /' -e '1204s/^70 49 /70 50 /' \
  "$root/data/Default.key" >"$work/Other.key"

args=(--port=sim "--lang=$lang")
# The titles of the windows the pictures show, as the program says them.
if [ "$lang" = ko ]; then
  t_sim='모의 POS 키보드' t_tester='키 테스트' t_mcr='MCR 헤더코드 적용 및 버전 & 체크썸 확인'
  t_about='POS Keyboard  정보' t_download='다운로드' t_compare='다른 파일과 비교'
  t_history='다운로드 기록'
else
  t_sim='Simulated POS Keyboard' t_tester='Key Tester'
  t_mcr='Apply MCR Head Code and Check Version & Checksum' t_about='About POS Keyboard'
  t_download='Download' t_compare='Compare with Another File' t_history='Download History'
fi

# The visible window whose title is exactly $1, once it is there.
window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | tail -1
}
# Starts the program on Default.key and gives its main window the focus.
start_app() {
  (cd "$work" && exec "$quilby" "${args[@]}" Default.key) >/dev/null 2>&1 &
  app_pid=$!
  main=$(window "Default.key - .*")
  xdotool windowfocus --sync "$main"
  sleep 1
}
# Keys typed into the window that has the focus (through XTEST).
keys() {
  xdotool key --delay 150 "$@"
  sleep 0.8
}
# A click at a fraction (per cent) of a window's width and height.
click_in() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" $((WIDTH * $2 / 100)) $((HEIGHT * $3 / 100)) click 1
  sleep 0.8
}
# The simulated keyboard's "press the five keys" button, at the top of its window.
announce() {
  click_in "$(window "$t_sim")" 50 6
}
# Saves window $1 as $2.png: few colours, no metadata, at most 900 px wide.
shot() {
  sleep 0.5
  import -window "$1" "$work/raw.png"
  convert "$work/raw.png" -resize '900x900>' -strip -dither None -colors 48 "PNG8:$out/$2.png"
  echo "$out/$2.png $(stat -c %s "$out/$2.png") bytes"
}

start_app
shot "$main" main-window
keys alt+v l # the layout view in place of the notes
shot "$main" layout-view
stop_app

start_app
keys alt+p e
shot "$(window 'VARO POS keyboard EDIT : BackSpace = Input key Delete!')" key-editor
stop_app

start_app
keys alt+p t
tester=$(window "$t_tester")
xdotool windowfocus --sync "$tester"
# One press each, apart: a key, one the key editor keeps for itself, a
# chord it refuses, an arrow that Default.key holds.
for key in a Escape ctrl+shift+z Up; do keys "$key"; done
shot "$tester" key-tester
stop_app

start_app
keys alt+p r
mcr=$(window "$t_mcr")
announce
sleep 3 # the command goes out, then the report comes back as keys
shot "$mcr" eprom-mcr
stop_app

start_app
keys alt+h c
check=$(window 'Pos Keyboard Version Check')
announce
shot "$check" version-check
stop_app

start_app
keys alt+h a
shot "$(window "$t_about")" about
stop_app

start_app
shot "$(window "$t_sim")" simulator
keys alt+p d
download=$(window "$t_download")
announce
sleep 4 # a few of the 1960 bytes are on their way
shot "$download" download
sleep 55 # the rest of the bytes (25 ms each), so the record holds a whole download
stop_app

start_app
keys alt+p h
shot "$(window "$t_history")" history
stop_app

start_app
keys alt+v l alt+v c
# The file dialog starts in the document's folder with the name field focused.
sleep 1
xdotool type --delay 100 Other.key
keys Return
shot "$(window "$t_compare")" compare
shot "$main" compare-layout
stop_app

du -ch "$out"/*.png | tail -1
