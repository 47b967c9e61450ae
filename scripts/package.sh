#!/usr/bin/env bash
# Builds the release build (installing missing Debian packages first) and makes a Debian
# package of it in build/package, then checks the package with lintian.
# Install it with: sudo apt install ./build/package/mervanta_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" release
out="$root/build/package"
rm -rf "$out"
(cd "$root/build/release" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
package=$(ls "$out"/mervanta_*.deb)
echo "== lintian $package"
lintian --fail-on error "$package"
echo "$package"
