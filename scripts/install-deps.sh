#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The single list of Debian 12 packages the project needs to build, run and
# test. Installs only what is missing; uses sudo when not run as root.
set -euo pipefail

packages=(
    # build
    cmake make g++ pkg-config
    # Qt 5.15: Core, Gui, Widgets, Network, Xml, Test, Svg, and the tools
    qtbase5-dev qtbase5-dev-tools libqt5svg5-dev
    # the desktop's secret store (proxy password)
    qtkeychain-qt5-dev
    # Qt Linguist: CMake tools, lupdate and lrelease; Qt's own translations
    qttools5-dev qttools5-dev-tools qttranslations5-l10n
    # the product guide test reads the printed PDF back (pdftotext, pdfimages)
    poppler-utils
    # offscreen platform fonts, so widgets measure text the same everywhere
    fonts-dejavu-core
    # the keypad simulator's HTTP server
    libcpp-httplib-dev
    # benchmarks
    libbenchmark-dev
    # the Debian package (dpkg-shlibdeps) and checks of its desktop entry
    # and AppStream data
    dpkg-dev desktop-file-utils appstream
    # fuzz targets: clang and its libFuzzer runtime
    clang libclang-rt-14-dev
    # private network namespaces and virtual links for the test bed
    iproute2 util-linux
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

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
