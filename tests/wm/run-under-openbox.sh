#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a display of its own with openbox as the window manager, on Qt's xcb
# platform, and stops both afterwards.
#
# Usage: run-under-openbox.sh [--wm openbox|kwin|weston] [--frame title|border] command [args...]
#   --wm kwin       KDE's window manager (kwin_x11 in a D-Bus session of its own) instead
#   --wm weston     the Wayland compositor weston as one window filling the X screen (its x11
#                   backend), so that xdotool drives its pointer; the command gets
#                   WAYLAND_DISPLAY and QT_QPA_PLATFORM=wayland
#   --frame title   openbox's usual frame: a title bar and a thin border (default)
#   --frame border  undecorated windows: only openbox's 1-pixel border
#   --screen WxH    the screen's size in pixels (default 1280x1024)
# Exit codes: the command's, or 77 when Xvfb, the window manager or xprop is not installed.
set -uo pipefail

frame=title
wm=openbox
screen=1280x1024
while [ $# -gt 0 ]; do
  case "$1" in
    --screen) screen=$2; shift 2 ;;
    --frame) frame=$2; shift 2 ;;
    --wm) wm=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--wm openbox|kwin] [--frame title|border] command [args...]" >&2; exit 2; }

wm_tools=(openbox)
[ "$wm" = kwin ] && wm_tools=(kwin_x11 dbus-run-session)
[ "$wm" = weston ] && wm_tools=(weston)
if [ "$wm" = weston ] &&
  [ -z "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland*' -print -quit 2>/dev/null)" ]; then
  echo "SKIP: Qt's wayland platform is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
for tool in Xvfb xprop "${wm_tools[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d /tmp/morvek-wm.XXXXXX)
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Frames as the application asks for them, or none at all (openbox keeps its thin border).
rules=""
[ "$frame" = border ] && rules='<application class="*"><decor>no</decor></application>'
cat >"$work/rc.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><name>Clearlooks</name><titleLayout>NLIMC</titleLayout></theme>
  <desktops><number>1</number></desktops>
  <applications>
    $rules
    <!-- the tests' cover window stays above the game while the game is clicked -->
    <application class="Xmessage"><layer>above</layer><focus>no</focus></application>
  </applications>
</openbox_config>
XML

# A free display: no socket and no lock file; Xvfb refuses one taken meanwhile, then try on.
for attempt in $(seq 1 30); do
  number=$((RANDOM % 800 + 150))
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
  Xvfb ":$number" -screen 0 "${screen}x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    kill -0 "$xvfb_pid" 2>/dev/null || break
    if [ "$(cat "/tmp/.X$number-lock" 2>/dev/null | tr -d ' ')" = "$xvfb_pid" ] &&
      DISPLAY=":$number" xprop -root >/dev/null 2>&1; then
      break 2
    fi
    sleep 0.05
  done
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "FAIL: could not start Xvfb"; exit 1; }
export DISPLAY=":$number"

# The window manager is ready once it announces itself on the root window; weston once its
# socket is there.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
if [ "$wm" = weston ]; then
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  wm_ready() { [ -S "$XDG_RUNTIME_DIR/morvek-test" ]; }
fi
for attempt in 1 2 3; do
  if [ "$wm" = kwin ]; then
    # KWin wants a session bus and a home for its settings; it needs a few seconds to start.
    mkdir -p "$work/home"
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" dbus-run-session kwin_x11 \
      >"$work/openbox.log" 2>&1 &
  elif [ "$wm" = weston ]; then
    weston --backend=x11-backend.so --socket=morvek-test --width="${screen%x*}" \
      --height="${screen#*x}" >"$work/openbox.log" 2>&1 &
  else
    openbox --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
  fi
  wm_pid=$!
  for _ in $(seq 1 300); do
    wm_ready && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  wm_ready && break
  kill "$wm_pid" 2>/dev/null
  wait "$wm_pid" 2>/dev/null
  wm_pid=""
  sleep 0.5
done
if [ -z "$wm_pid" ]; then
  echo "FAIL: $wm did not start"
  cat "$work/openbox.log" "$work/xvfb.log"
  exit 1
fi

export SDL_AUDIODRIVER=dummy MORVEK_WM=$wm MORVEK_WM_FRAME=$frame
if [ "$wm" = weston ]; then
  export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=morvek-test
else
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
fi
"$@"
