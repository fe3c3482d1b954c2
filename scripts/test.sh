#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the whole
# suite, then the whole suite again, window tests included, built with
# AddressSanitizer and UndefinedBehaviorSanitizer (an invalid downcast of a
# Qt object fails the run), then the pool's tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

# A test run writes nothing into the checkout: what it holds besides the
# builds is the same before and after (tracked files unchanged, nothing new,
# ignored files included).
checkout_state() {
  git status --porcelain --ignored --untracked-files=all -- . ':(exclude)build' 2>/dev/null || true
}
checkout_before=$(checkout_state)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_WERROR=ON -DQM_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
(cd build/sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# Runs hand their items to a pool of workers: the tests that force many
# workers once more under ThreadSanitizer. (Only those: a test that starts a
# child process confuses its view of the parent.)
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON -DQM_TSAN=ON >/dev/null
cmake --build build/tsan -j"$jobs" --target core_tests ui_tests
(cd build/tsan && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1 tests/core_tests --gtest_brief=1 --gtest_filter='*Pool*:HandleTable*' &&
    QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1 tests/ui_tests --gtest_brief=1 --gtest_filter='*Pool*:OwnStore*')

checkout_after=$(checkout_state)
if [ "$checkout_before" != "$checkout_after" ]; then
  echo "The test run left files in the checkout:"
  diff <(echo "$checkout_before") <(echo "$checkout_after") || true
  exit 1
fi
