#!/usr/bin/env bash
# scripts/package.sh makes a Debian package that declares what it needs, passes lintian, and
# whose programs run from its unpacked contents alone.
#   package_test.sh BUILD_DIR SOURCE_DIR SAMPLE_HOME_TOOL
set -uo pipefail
build=$1 source=$2 sample_home=$3
. "$(dirname "$0")/checks.sh"

output=$(bash "$source/scripts/package.sh" "$build" 2>&1) || {
    echo "$output" >&2
    fail "scripts/package.sh failed"
}
deb=$(tail -n 1 <<<"$output")
[ -f "$deb" ] || fail "scripts/package.sh named no package: $output"

info=$(dpkg-deb --info "$deb") || fail "dpkg-deb cannot read $deb"
echo "$info"
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
names=$(tr ',' '\n' <<<"$depends" | awk 'NF {print $1}' | sort)
[ -z "$(uniq -d <<<"$names")" ] || fail "the package names a dependency twice: $depends"
# Libraries, as dpkg-shlibdeps computes them, and the QML modules the screens import.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6qml6 libqt6quick6 libqt6svg6 \
    libplist3 qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-dialogs \
    qml6-module-qtquick-layouts qml6-module-qtquick-templates; do
    grep -q -x -F "$package" <<<"$names" || fail "the package does not depend on $package: $depends"
done
# Every declared package exists in the archive this machine installs from, in a version at
# least as new as the one required: so a fresh machine can satisfy each of them.
for name in $names; do
    apt-cache show "$name" >/dev/null 2>&1 || fail "$name, which the package needs, is in no archive"
done

contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/sorvane ./usr/bin/sorvane-cli ./usr/share/applications/org.sorvane.Sorvane.desktop \
    ./usr/share/doc/sorvane/copyright; do
    grep -q " $file$" <<<"$contents" || fail "the package lacks $file"
done

# Lintian must report no error; its warnings are printed for the record.
lintian --allow-root --fail-on error --display-level '>=warning' "$deb" ||
    fail "lintian reports errors on the package"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked" || fail "cannot unpack $deb"
check_installed_programs "$unpacked/usr/bin"
echo "package $(basename "$deb") built and checked"
