#!/usr/bin/env bash
# Builds the Debian package build/package/sondex_<version>_<arch>.deb (a
# release build of the program only, installed under /usr) and checks it: the
# menu entry and metadata with the desktop's validators, the package with
# lintian, which may warn but must not report errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset package "${launcher[@]}" >/dev/null
cmake --build --preset package -j "$(nproc)"
rm -f build/package/sondex_*.deb
(cd build/package && cpack -G DEB)
deb=$(ls build/package/sondex_*.deb)
bash scripts/validate-data.sh data
# The installed tree as the software centres see it: metadata, menu entry and icon together.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree"
dpkg-deb --field "$deb"
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "package: $deb"
