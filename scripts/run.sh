#!/usr/bin/env bash
# Builds Sorvane and opens its window.
#
# A home without a Library folder (any Linux desktop) has nothing for Sorvane to scan, so the
# window then opens on a generated sample home instead, with both folder grants stored so that the
# scan starts at once. Without a display it prints the command-line scan of the home it would have
# shown and says how to see the window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target sorvane sorvane-cli sorvane-sample-home

home="$HOME"
root="${SORVANE_ROOT:-}"
config="${XDG_CONFIG_HOME:-$HOME/.config}"
if [ ! -d "$HOME/Library" ]; then
    # Two levels deep, as a home must be; kept between runs (delete them for a fresh sample).
    home=/tmp/sorvane-sample-home
    root=/tmp/sorvane-sample-root
    config=/tmp/sorvane-sample-config
    if [ ! -d "$home/Library" ]; then
        rm -rf "$home" "$root" "$config"
        XDG_CONFIG_HOME="$config" build/tools/sorvane-sample-home --home "$home" --root "$root" \
            --files 3000 --grants
    fi
    echo "No Library folder in $HOME: showing the sample home $home (system root $root)."
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to open the window on; here is what it would show:"
    SORVANE_ROOT="$root" build/cli/sorvane-cli scan --home "$home"
    echo
    echo "To see the window, run this command on a desktop, or under a virtual display:"
    echo "  xvfb-run -a bash scripts/run.sh"
    exit 0
fi

exec env HOME="$home" SORVANE_ROOT="$root" XDG_CONFIG_HOME="$config" build/app/sorvane "$@"
