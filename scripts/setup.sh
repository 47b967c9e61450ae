#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), then configures and builds.
# Usage: scripts/setup.sh [release] [asan]   (default: release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"

install_missing_packages "${BUILD_PACKAGES[@]}"
install_test_locale

# A compiler cache, where the machine has one, makes rebuilds of unchanged files instant.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(release)
for build in "${builds[@]}"; do
  case "$build" in
    release) options=(-DCMAKE_BUILD_TYPE=Release) ;;
    asan) options=(-DCMAKE_BUILD_TYPE=Debug -DMERVANTA_SANITIZE=ON -DMERVANTA_BENCH=OFF) ;;
    *) echo "unknown build: $build" >&2; exit 2 ;;
  esac
  cmake -S "$root" -B "$root/build/$build" -G Ninja "${options[@]}" "${launcher[@]}" >/dev/null
  cmake --build "$root/build/$build"
done
