#!/usr/bin/env bash
# Installs what Tavorine needs, builds it and starts it on its bundled defaults.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

app=build/Tavorine/tavorine
if [ -x "$app" ]; then
  exec "$app"
fi
echo "The desktop application is not built yet; the core libraries are in build/."
