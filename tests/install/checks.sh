# Shared by the installation and package tests: checks that run programs from an installed tree
# (a DESTDIR or an unpacked package) with the build and source trees out of their reach.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs a command in a private mount namespace where the build and source trees are empty, so
# that an installed program that still needs anything from them fails. Needs root (or user
# namespaces); without either the command runs as it is and a note says so.
without_trees() {
    if unshare --mount --propagation private true 2>/dev/null; then
        unshare --mount --propagation private -- bash -c '
            mount -t tmpfs none "$1" && mount -t tmpfs none "$2" || exit 99
            shift 2
            exec "$@"' bash "$build" "$source" "$@"
    else
        echo "note: cannot hide the build tree (no mount namespace); running in place" >&2
        "$@"
    fi
}

# The installed sorvane-cli scans a generated home, and the installed sorvane opens its window
# offscreen and keeps it open until it is ended. $1: the installed tree's bin folder.
check_installed_programs() {
    local bin=$1 scratch
    scratch=$(mktemp -d)
    "$sample_home" --layout freedesktop --home "$scratch/home" --root "$scratch/root" --files 300 \
        >/dev/null || fail "cannot generate a sample home"

    without_trees "$bin/sorvane-cli" scan --json --home "$scratch/home" --root "$scratch/root" \
        >"$scratch/scan.json" 2>"$scratch/scan.err" || {
        cat "$scratch/scan.err" >&2
        fail "the installed sorvane-cli did not scan"
    }
    python3 - "$scratch/scan.json" <<'PY' || fail "the installed sorvane-cli found nothing"
import json, sys
report = json.load(open(sys.argv[1]))
assert report["layout"] == "freedesktop", report["layout"]
assert len(report["categories"]) == 24, len(report["categories"])
assert sum(len(c["items"]) for c in report["categories"]) > 0
assert sum(c["size"] for c in report["categories"]) > 0
PY

    # Ended after a few seconds by timeout (status 124), the window was up; a window that
    # cannot load its screens ends at once with status 1.
    local status=0
    mkdir -p "$scratch/config"
    without_trees env HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
        QT_QPA_PLATFORM=offscreen SORVANE_ROOT="$scratch/root" \
        timeout 8 "$bin/sorvane" >"$scratch/window.log" 2>&1 || status=$?
    if [ "$status" -ne 124 ] || grep -E -i "qrc:|\.qml|module .* is not installed|error" \
        "$scratch/window.log" >&2; then
        cat "$scratch/window.log" >&2
        fail "the installed sorvane did not keep its window open (status $status)"
    fi
    rm -rf "$scratch"
}
