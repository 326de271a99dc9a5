#!/usr/bin/env bash
# Runs a test program under a Wayland compositor of its own, headless:
#   con_compositor.sh COMPOSITOR PROGRAM [ARGS...]
# COMPOSITOR is weston or sway (the program a native Wayland client), or
# weston-xwayland (the program an X client of weston's XWayland, which is
# not told the Wayland socket; KESTRAM_WESTON_SOCKET names it for the
# test's own screenshots). The compositor, with every process it started
# (its own process group), is stopped when the program ends, also when it
# fails or the script is interrupted. Exit status 77: the compositor could
# not start here (the test is skipped).
set -u
compositor=$1
shift
dir=$(mktemp -d)
chmod 755 "$dir"
cpid=""
fin() {
  [ -n "$cpid" ] && kill -- -"$cpid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$dir"
}
trap fin EXIT
trap 'exit 130' INT TERM

saltar() { echo "SKIP: $compositor cannot start here: $*"; [ -f "$dir/log" ] && tail -5 "$dir/log"; exit 77; }

# The compositor's runtime folder, apart from the test's own.
run="$dir/run"
mkdir -m 700 "$run"
socket=kestram-wl
weston_orden=(weston --backend=headless-backend.so --use-pixman --socket="$socket"
              --idle-time=0 --width=1280 --height=1024)
case "$compositor" in
  weston) orden=("${weston_orden[@]}") ;;
  # The screenshots of the test need the debug extension.
  weston-xwayland) orden=("${weston_orden[@]}" --xwayland --debug) ;;
  sway)
    printf 'xwayland disable\n' >"$dir/sway.conf"
    chmod 644 "$dir/sway.conf"
    orden=(env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
           sway -c "$dir/sway.conf")
    socket=""  # it names its socket itself
    # sway refuses to run as root: it runs as nobody.
    if [ "$(id -u)" -eq 0 ]; then
      chown nobody "$run"
      orden=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${orden[@]}")
    fi
    ;;
  *) echo "unknown compositor $compositor"; exit 2 ;;
esac
command -v "${compositor%-xwayland}" >/dev/null || saltar "not installed"
XDG_RUNTIME_DIR="$run" setsid "${orden[@]}" >"$dir/log" 2>&1 &
cpid=$!
buscar_socket() {
  local s
  for s in "$run"/${socket:-wayland-*}; do
    [ -S "$s" ] && { socket=${s##*/}; return 0; }
  done
  return 1
}
for _ in $(seq 200); do
  buscar_socket && break
  kill -0 "$cpid" 2>/dev/null || saltar "it ended"
  sleep 0.05
done
buscar_socket || saltar "no socket after 10 s"

# The test program has a runtime folder of its own and finds the
# compositor's socket by its full path.
export XDG_RUNTIME_DIR="$dir/cliente"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export HOME="$dir"
# Under LeakSanitizer, what the platforms' system libraries keep is theirs.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/lsan.supp"
if [ "$compositor" = weston-xwayland ]; then
  for _ in $(seq 200); do
    grep -q "xserver listening on display" "$dir/log" && break
    kill -0 "$cpid" 2>/dev/null || saltar "it ended"
    sleep 0.05
  done
  pantalla=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$dir/log" | head -1)
  [ -n "$pantalla" ] || saltar "no X server after 10 s"
  export KESTRAM_WESTON_SOCKET="$run/$socket"
  unset WAYLAND_DISPLAY
  DISPLAY="$pantalla" QT_QPA_PLATFORM=xcb "$@"
else
  WAYLAND_DISPLAY="$run/$socket" QT_QPA_PLATFORM=wayland "$@"
fi
