#!/usr/bin/env bash
# Builds the program and starts it on a working folder (default ~/uchet-work), which gets a
# demo database when it has none.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="${1:-$HOME/uchet-work}"
bash "$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DUCHET_TESTS=OFF >/dev/null
cmake --build "$here/build-release" -j"$(nproc)"
if [ ! -f "$work/db_Tavrel.mdb" ]; then
  "$here/build-release/tools/uchet-db" demo "$work" --rows 300
fi
cd "$work"
exec "$here/build-release/app/uchet"
