#!/usr/bin/env bash
# Builds one fuzz target with clang and runs it: scripts/fuzz.sh TARGET [SECONDS]
# Targets: the mervanta_fuzz_target names in tests/fuzz/CMakeLists.txt. The corpus grows in
# build/fuzz/corpus/TARGET.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-600}
install_missing_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVANTA_FUZZ=ON -DMERVANTA_TESTS=OFF >/dev/null
cmake --build "$root/build/fuzz" --target "$target"
corpus="$root/build/fuzz/corpus/$target"
mkdir -p "$corpus"
seeds="$root/tests/fuzz/corpus/${target%_fuzz}"
[ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
cd "$root/build/fuzz"
exec "./tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus"
