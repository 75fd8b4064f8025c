#!/usr/bin/env bash
# Builds Sorvane and opens its window.
#
#   bash scripts/run.sh            # your own home: a Linux desktop's, or a macOS-style one
#   bash scripts/run.sh --sample   # a generated macOS-style sample home instead
#
# A home without a Library folder (any Linux desktop) is scanned in the freedesktop layout: its
# caches, thumbnails, trash, browser and developer caches. That is safe to open on your real
# home: the window only lists what it finds, and nothing is deleted unless you select it and
# press Delete. With --sample the window opens on a generated macOS-style home, with both
# folder grants stored so that the scan starts at once. Without a display the script prints the
# command-line scan of the home it would have shown and says how to see the window.
set -euo pipefail
cd "$(dirname "$0")/.."

sample=false
if [ "${1:-}" = "--sample" ]; then
    sample=true
    shift
fi

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target sorvane sorvane-cli sorvane-sample-home sorvane-dist-files

home="$HOME"
root="${SORVANE_ROOT:-}"
config="${XDG_CONFIG_HOME:-$HOME/.config}"
layout=freedesktop
if [ -d "$HOME/Library" ]; then
    layout=macos
fi
if $sample; then
    # Two levels deep, as a macOS home must be; kept between runs (delete them for a fresh one).
    layout=macos
    home=/tmp/sorvane-sample-home
    root=/tmp/sorvane-sample-root
    config=/tmp/sorvane-sample-config
    if [ ! -d "$home/Library" ]; then
        rm -rf "$home" "$root" "$config"
        XDG_CONFIG_HOME="$config" build/tools/sorvane-sample-home --home "$home" --root "$root" \
            --files 3000 --grants
    fi
    echo "Showing the sample home $home (system root $root)."
elif [ "$layout" = freedesktop ]; then
    echo "No Library folder in $HOME: scanning it as a Linux desktop's home (freedesktop layout)."
    echo "Nothing is deleted unless you select it and press Delete."
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to open the window on; here is what it would show:"
    # Your own home as it stands (its XDG variables count); a sample home by its folder.
    home_option=()
    if $sample || [ "$layout" = macos ]; then
        home_option=(--home "$home")
    fi
    SORVANE_ROOT="$root" build/cli/sorvane-cli scan --layout "$layout" "${home_option[@]}"
    echo
    echo "To see the window, run this command on a desktop, or under a virtual display:"
    if $sample; then
        echo "  xvfb-run -a bash scripts/run.sh --sample"
    else
        echo "  xvfb-run -a bash scripts/run.sh"
    fi
    exit 0
fi

exec env HOME="$home" SORVANE_ROOT="$root" SORVANE_LAYOUT="$layout" XDG_CONFIG_HOME="$config" \
    build/app/sorvane "$@"
