#!/usr/bin/env bash
# Installs what Tavorine needs, checks the formatting, then builds and runs
# every test twice: a normal build and one with AddressSanitizer and
# UndefinedBehaviorSanitizer; the audio engine's tests run a third time under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
jobs=$(nproc)

echo "== formatting"
bash scripts/format.sh --check

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== sanitized build (address, undefined)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVORINE_SANITIZE=ON -DTAVORINE_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$jobs")

echo "== thread-sanitized build (the audio engine and its threads)"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DTAVORINE_TSAN=ON -DTAVORINE_BENCH=OFF \
  -DTAVORINE_ONLY_AREAS="model;xml;drumset;app;audio;editor;songfile" >/dev/null
cmake --build build-tsan -j"$jobs"
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
(cd build-tsan && ctest --output-on-failure -j"$jobs")
