#!/usr/bin/env bash
# Builds and runs every test: a normal build, a sanitizer build (ASan+UBSan),
# the fuzz targets for a fixed time each and, meanwhile, the program built
# with clang. Warnings fail every build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
strict=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON

echo "== normal build =="
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAM_BENCH=ON "$strict" >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test -j"$jobs" --output-on-failure

echo "== sanitizer build (address, undefined) =="
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DKESTRAM_SANITIZE=ON "$strict" >/dev/null
cmake --build build/asan -j"$jobs"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
report="$PWD/build/asan/junit.xml"
if ! ctest --test-dir build/asan -j"$jobs" --output-on-failure --output-junit "$report"; then
  # Only tests that failed through LeakSanitizer's own crash run once more;
  # every other failure ends the run here.
  rerun=$(bash scripts/sanitizer_triage.sh "$report") || exit 1
  [ -n "$rerun" ] || exit 1
  echo "LeakSanitizer itself crashed in: $(echo $rerun); running these once more"
  regex=$(printf '%s\n' "$rerun" | sed 's/[][\\.^$*+?(){}|]/\\&/g' | paste -sd'|')
  ctest --test-dir build/asan --output-on-failure -R "^($regex)\$"
fi

echo "== fuzz targets =="
secs=${FUZZ_SECONDS:-60}
CXX=clang++ cmake -S . -B build/fuzz -DKESTRAM_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo "$strict" >/dev/null
cmake --build build/fuzz -j"$jobs"
pids=()
for f in build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  mkdir -p "build/fuzz/corpus/$name" "build/fuzz/crashes/$name"
  seeds=()
  [ -d "tests/fuzz/seeds/$name" ] && seeds=("tests/fuzz/seeds/$name")
  # Crash files go to build/fuzz/crashes/, never into the checkout.
  "$f" -max_total_time="$secs" -rss_limit_mb=2048 -timeout=5 \
    -artifact_prefix="build/fuzz/crashes/$name/" \
    "build/fuzz/corpus/$name" "${seeds[@]}" > "build/fuzz/$name.log" 2>&1 &
  pids+=("$!:$name")
done
# The program built with clang while the fuzz targets run, on the cores
# they leave free.
echo "== program built with clang =="
CXX=clang++ cmake -S . -B build/clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF "$strict" >/dev/null
free=$((jobs - ${#pids[@]})); [ "$free" -ge 1 ] || free=1
failed=0
cmake --build build/clang -j"$free" || { echo "the clang build failed"; failed=1; }
for p in "${pids[@]}"; do
  if ! wait "${p%%:*}"; then
    echo "fuzz target ${p#*:} failed:"; tail -40 "build/fuzz/${p#*:}.log"; failed=1
  else
    echo "fuzz target ${p#*:}: $(grep -E '^Done' "build/fuzz/${p#*:}.log" | tail -1)"
  fi
done
[ "$failed" = 0 ]
echo "All test stages passed."
