#!/usr/bin/env bash
# An installation into a temporary prefix (DESTDIR) holds every file a desktop and a packager
# expect, each valid by its own tool, and its programs run from there alone.
#   install_test.sh BUILD_DIR SOURCE_DIR SAMPLE_HOME_TOOL
set -uo pipefail
build=$1 source=$2 sample_home=$3
. "$(dirname "$0")/checks.sh"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 || {
    cat "$stage.log" >&2
    fail "cmake --install failed"
}
rm -f "$stage.log"
usr=$stage/usr

expected=(
    bin/sorvane
    bin/sorvane-cli
    share/applications/org.sorvane.Sorvane.desktop
    share/metainfo/org.sorvane.Sorvane.metainfo.xml
    share/icons/hicolor/scalable/apps/org.sorvane.Sorvane.svg
    share/man/man1/sorvane.1.gz
    share/man/man1/sorvane-cli.1.gz
    share/bash-completion/completions/sorvane-cli
    share/doc/sorvane/copyright
    share/doc/sorvane/changelog.gz
)
for size in 16 22 24 32 48 64 96 128 192 256 512; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/org.sorvane.Sorvane.png")
done
for file in "${expected[@]}"; do
    [ -f "$usr/$file" ] || fail "the installation lacks $file"
done
# Nothing else: no test program, no tool and no static library slips into an installation.
installed=$(cd "$usr" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "the installation holds other files: $(comm -23 \
    <(echo "$installed") <(echo "$wanted") | tr '\n' ' ')"

# Each PNG is the size its folder names.
for size in 16 22 24 32 48 64 96 128 192 256 512; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/org.sorvane.Sorvane.png" |
        grep -q "PNG image data, $size x $size," || fail "the ${size}px icon is not ${size}x${size}"
done

desktop-file-validate "$usr/share/applications/org.sorvane.Sorvane.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"
grep -q '^Name\[de\]=' "$usr/share/applications/org.sorvane.Sorvane.desktop" &&
    grep -q '^Comment\[de\]=' "$usr/share/applications/org.sorvane.Sorvane.desktop" ||
    fail "the desktop entry has no German name and comment"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.sorvane.Sorvane.metainfo.xml" ||
    fail "appstreamcli rejects the metainfo file"
version=$("$usr/bin/sorvane-cli" --version | awk '{print $2}')
grep -q "<release version=\"$version\"" "$usr/share/metainfo/org.sorvane.Sorvane.metainfo.xml" ||
    fail "the metainfo file has no release entry for $version"

# The manual pages render without a warning from the formatter, and say what they should.
for page in sorvane sorvane-cli; do
    rendered=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/man1/$page.1.gz" \
        2>"$stage/man.err") || fail "man cannot render $page(1)"
    [ ! -s "$stage/man.err" ] || { cat "$stage/man.err" >&2; fail "$page(1) renders with warnings"; }
    grep -q "^NAME" <<<"$rendered" || fail "$page(1) has no NAME section"
done
rendered=$(MANWIDTH=80 man -l "$usr/share/man/man1/sorvane-cli.1.gz" 2>/dev/null)
for word in "sorvane-cli scan" "--category KEY" "EXIT STATUS" "ENVIRONMENT"; do
    grep -q -- "$word" <<<"$rendered" || fail "sorvane-cli(1) does not mention '$word'"
done
grep -q "Sorvane $version" <<<"$rendered" || fail "sorvane-cli(1) is not the page of $version"
# Every option the program's own help names is in its manual page.
for option in $("$usr/bin/sorvane-cli" --help | grep -o -E -- '--[a-z]+' | sort -u); do
    grep -q -- "$option" <<<"$rendered" || fail "sorvane-cli(1) lacks $option"
done

# Completion: what bash offers after the words on a line.
completions() {
    bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"
        COMP_POINT=${#COMP_LINE}
        _sorvane_cli sorvane-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}" | sort' \
        bash "$usr/share/bash-completion/completions/sorvane-cli" "$@"
}
expect_completions() {
    local got want=$1
    shift
    got=$(completions "$@" | tr '\n' ' ' | sed 's/ $//')
    [ "$got" = "$want" ] || fail "completing '$*' gave '$got', not '$want'"
}
expect_completions "--help --version clean history keep scan schedule" sorvane-cli ""
expect_completions "--home --json --since" sorvane-cli history ""
expect_completions "--home --json --layout --root add list remove" sorvane-cli keep ""
expect_completions "scan schedule" sorvane-cli s
expect_completions "daily monthly weekly" sorvane-cli schedule --every ""
expect_completions "--category --home --items --json --layout --older-than --root" sorvane-cli scan --json ""
expect_completions "--older-than" sorvane-cli clean --o
expect_completions "30 7 90" sorvane-cli clean --older-than ""
expect_completions "--path" sorvane-cli clean --p
expect_completions "freedesktop macos" sorvane-cli scan --layout ""
expect_completions "XCODE_CACHE XDG_CACHE" sorvane-cli scan --category X
expect_completions "XDG_CACHE" sorvane-cli scan --layout freedesktop --category X
expect_completions "XCODE_CACHE" sorvane-cli clean --layout=macos --category X
# The keys offered for a layout are exactly the program's keys of that layout.
empty_home=$(mktemp -d)
for layout in macos freedesktop; do
    keys=$("$usr/bin/sorvane-cli" scan --json --layout "$layout" --home "$empty_home" \
        --root "$empty_home" 2>/dev/null | python3 -c '
import json, sys
print(" ".join(sorted(c["key"] for c in json.load(sys.stdin)["categories"])))')
    [ -n "$keys" ] || fail "sorvane-cli reported no keys for $layout"
    expect_completions "$keys" sorvane-cli scan --layout "$layout" --category ""
done
rm -rf "$empty_home"

check_installed_programs "$usr/bin"
echo "installation complete and valid: ${#expected[@]} files"
