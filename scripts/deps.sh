#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
pkgs=(cmake g++ make clang qt6-base-dev libgl-dev libgtest-dev
      libbenchmark-dev qt6-translations-l10n fonts-liberation poppler-utils xvfb xauth
      libcups2-dev cups cups-daemon cups-client cups-bsd cups-filters
      x11-utils openbox icewm xfwm4 dbus-daemon i3-wm libxcb1-dev libsm-dev libice-dev
      weston xwayland sway qt6-wayland)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=0
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  if [ "$updated" = 0 ]; then $sudo apt-get update -qq; updated=1; fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${pkgs[@]}"
# The fuzz targets need the sanitizer runtime of the clang that is installed.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -1)
[ -n "$clang_major" ] || { echo "cannot tell the version of clang" >&2; exit 1; }
install_missing "libclang-rt-$clang_major-dev"
