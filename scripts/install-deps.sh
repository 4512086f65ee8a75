#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Calbrine need.
set -euo pipefail
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
as_root apt-get update
# libngspice0-dev is the simulator library the oscillator simulation opens at run time; the
# ngspice program is only for comparing timings.
# libqt6svg6 holds Qt's SVG icon plugins on Debian 12; dpkg-dev, file, desktop-file-utils,
# appstream and lintian build and check the Debian package; help2man makes the manual page.
as_root apt-get install -y --no-install-recommends \
    cmake make g++ pkg-config clang libclang-rt-14-dev \
    qt6-base-dev libqt6svg6-dev libgl-dev \
    googletest libgtest-dev libbenchmark-dev \
    fonts-liberation locales poppler-utils \
    libqt6svg6 \
    libngspice0-dev ngspice \
    dpkg-dev file desktop-file-utils appstream lintian help2man
# The tests check number text under a German locale, whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
