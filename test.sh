#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test on the
# offscreen platform (no display needed).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build-test" -DCMAKE_BUILD_TYPE=Debug -DUCHET_SANITIZE=ON >/dev/null
cmake --build "$here/build-test" -j"$(nproc)"
cd "$here/build-test"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
