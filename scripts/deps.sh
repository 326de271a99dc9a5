#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
pkgs=(cmake g++ make clang libclang-rt-14-dev qt6-base-dev libgl-dev libgtest-dev
      libbenchmark-dev qt6-translations-l10n fonts-liberation poppler-utils xvfb xauth
      libcups2-dev cups cups-daemon cups-client cups-bsd cups-filters
      x11-utils openbox icewm libxcb1-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
