#!/usr/bin/env bash
# Builds the Debian package of Sorvane and prints its path on the last line.
#
#   bash scripts/package.sh [BUILD_DIR]     # default: build-package
#
# The package's Depends line is computed: dpkg-shlibdeps finds the libraries the programs link,
# and the packages that ship the QML modules and Qt plugins they load at run time are looked up
# from what the QML files import (dist/DebianDependencies.cmake).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}

source scripts/package-options.sh

bash scripts/install-deps.sh
cmake -S . -B "$dir" -G Ninja "${package_options[@]}" >/dev/null
cmake --build "$dir" >/dev/null
(cd "$dir" && cpack -G DEB >/dev/null)
ls -t "$(realpath "$dir")"/sorvane_*.deb | head -n 1
