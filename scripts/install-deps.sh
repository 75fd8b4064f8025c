#!/usr/bin/env bash
# Installs the Debian packages Sorvane needs to build, test and run.
# Idempotent: asks apt only for what is missing, so a second run is quick and offline-safe.
# SORVANE_INSTALL_DEPS=0 installs nothing: the missing packages are only named, for a machine
# whose packages someone else manages (every script calls this one first).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang-format clang-tidy
  clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-svg-dev qml6-module-qtquick qml6-module-qtquick-controls
  qml6-module-qtquick-dialogs qml6-module-qtquick-layouts qml6-module-qtquick-window
  qml6-module-qtqml-workerscript qml6-module-qtquick-templates qml6-module-qttest
  qml6-module-qtquick-shapes qml6-module-qt-labs-folderlistmodel qt6-qpa-plugins libgl-dev libqt6svg6
  libplist-dev libplist++-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  adwaita-icon-theme xvfb xauth dbus-bin xdg-utils util-linux time
  dpkg-dev file desktop-file-utils appstream lintian man-db bash-completion
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "${SORVANE_INSTALL_DEPS:-1}" = "0" ]; then
  echo "SORVANE_INSTALL_DEPS=0: not installing the missing packages: ${missing[*]}" >&2
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
