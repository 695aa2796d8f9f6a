#!/bin/bash
# Builds every configuration and runs every test: the portable logic natively (ASan, UBSan),
# its parsers under libFuzzer for a bounded time,
# then the 32-bit and the 64-bit Windows builds under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1

failed=()
for preset in host fuzz windows-x86 windows-x64; do
  echo "=== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j"$(nproc)"; then
    failed+=("$preset (build)")
    continue
  fi
  ctest --preset "$preset" || failed+=("$preset")
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All configurations passed."
