#!/usr/bin/env bash
# Runs a test program on its own X server (Xvfb) under a window manager:
#   con_gestor.sh WM PROGRAM [ARGS...]
# WM is openbox, icewm, xfwm4, i3, none or the path of a window manager
# program (the tests' own); KESTRAM_XVFB_SCREEN sets the screen
# (default 1280x1024x24). The server picks a free display itself, so
# tests run side by side; the server and the window manager, with every
# process it started (its own process group), are stopped when the program
# ends, also when it fails or the script is interrupted.
set -u
gestor=$1
shift
dir=$(mktemp -d)
xpid=""
wpid=""
fin() {
  [ -n "$wpid" ] && kill -- -"$wpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$dir"
}
trap fin EXIT
trap 'exit 130' INT TERM

exec 3>"$dir/display"
Xvfb -displayfd 3 -screen 0 "${KESTRAM_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
xpid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  kill -0 "$xpid" 2>/dev/null || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb gave no display"; exit 1; }
export DISPLAY=":$(head -1 "$dir/display")"

if [ "$gestor" != none ]; then
  export HOME="$dir"  # the window managers' own settings stay here
  case "$gestor" in
    # Its settings service answers on a session bus of its own; no
    # accessibility bus.
    xfwm4) orden=(env NO_AT_BRIDGE=1 dbus-run-session -- xfwm4 --compositor=off) ;;
    # Without the bar and the programs the packaged settings start.
    i3) printf 'font pango:monospace 8\n' >"$dir/i3.conf"; orden=(i3 -c "$dir/i3.conf") ;;
    *) orden=("$gestor") ;;
  esac
  setsid "${orden[@]}" >"$dir/wm.log" 2>&1 &
  wpid=$!
  # Ready once it has announced itself on the root window (EWMH).
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    kill -0 "$wpid" 2>/dev/null || { echo "$gestor did not start"; cat "$dir/wm.log"; exit 1; }
    sleep 0.05
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" ||
    { echo "$gestor did not take the screen"; exit 1; }
fi

# Under LeakSanitizer, what the X platform's system libraries keep is theirs.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/lsan.supp"
QT_QPA_PLATFORM=xcb "$@"
