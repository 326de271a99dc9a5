#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a packager ships:
# the program, its help and guide in share/kestram, the desktop entry and
# the icon; then a probe placed beside the installed program must find the
# help there, as the program does.
set -euo pipefail
build=$1 probe=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/kestram share/kestram/vorlant.html share/kestram/guia_vorlant.pdf \
         share/applications/kestram.desktop share/icons/hicolor/scalable/apps/kestram.svg; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
[ -x "$prefix/bin/kestram" ] || { echo "bin/kestram is not executable"; exit 1; }
grep -qx 'Exec=kestram' "$prefix/share/applications/kestram.desktop"
grep -qx 'Icon=kestram' "$prefix/share/applications/kestram.desktop"
[ ! -e "$prefix/bin/vorlant.html" ] || { echo "help installed beside the program"; exit 1; }
cp "$probe" "$prefix/bin/"
found=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/$(basename "$probe")")
[ "$found" = "$prefix/share/kestram" ] || { echo "help looked for in $found"; exit 1; }
echo "installed program finds its help in $found"
