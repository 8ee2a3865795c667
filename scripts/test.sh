#!/usr/bin/env bash
# Installs what is missing, builds, then runs every test (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
resume="$(mktemp)"
corpus="$(mktemp -d)"
prive=""
trap 'rm -rf "$corpus" "$resume" ${prive:+"$prive"}' EXIT
# Qt wants a private runtime folder; a session that has none (ssh, chroot, container) gets one
# for the run, instead of a warning and a shared folder left in /tmp.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  prive="$(mktemp -d)"
  export XDG_RUNTIME_DIR="$prive"
fi
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 300) | tee "$resume"

# The readers of outside input (tests named tst_lecteur_*) again, under AddressSanitizer and
# UBSan; any finding fails the run.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMARIN_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$(nproc)" --target tests_lecteurs
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure --parallel "$(nproc)" --timeout 300)

# A short libFuzzer run of the ADIF, EDI and settings readers (clang).
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMARIN_FUZZ=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_lecteurs
cp fuzz/corpus/* "$corpus"/
ASAN_OPTIONS=detect_leaks=0 ./build-fuzz/fuzz/fuzz_lecteurs -max_total_time=5 -max_len=4096 "$corpus" 2>&1 | tail -n 3

# One closing line for the whole run: the main suite's counts (any failure has stopped the script).
total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$resume")
echo "tests: ${total:-0} passed, 0 failed"
