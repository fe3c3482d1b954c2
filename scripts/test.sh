#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the whole
# suite, then the whole suite again, window tests included, built with
# AddressSanitizer and UndefinedBehaviorSanitizer (an invalid downcast of a
# Qt object fails the run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_WERROR=ON -DQM_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
(cd build/sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
