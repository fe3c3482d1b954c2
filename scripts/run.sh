#!/usr/bin/env bash
# Builds the program and starts it. The program keeps default.set and its
# WorkingDir in the folder it starts in: $QM_HOME, by default ~/Quillmere.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target quillmere
program="$PWD/build/release/quillmere"
home="${QM_HOME:-$HOME/Quillmere}"
mkdir -p "$home"
cd "$home"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting on a virtual one (xvfb-run)." >&2
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
