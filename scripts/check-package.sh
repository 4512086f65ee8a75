#!/usr/bin/env bash
# Checks the desktop files, the installed layout and the Debian package of a built tree.
# Usage: scripts/check-package.sh [build-dir]   (default: build)
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(cd "${1:-build}" && pwd)"
app_id=org.calbrine.Calbrine
fail() { echo "check-package: $*" >&2; exit 1; }

[ -x "$build_dir/calbrine" ] || fail "no calbrine in $build_dir; build it first"

desktop-file-validate "$source_dir/data/$app_id.desktop"
appstreamcli validate --no-net "$build_dir/data/$app_id.metainfo.xml"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr >/dev/null
for file in usr/bin/calbrine \
            "usr/share/applications/$app_id.desktop" \
            "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
            "usr/share/metainfo/$app_id.metainfo.xml" \
            usr/share/calbrine/Defaults.TXT \
            usr/share/calbrine/parts/e-series.txt \
            usr/share/calbrine/cores/iron-powder.txt \
            usr/share/calbrine/wire/enamelled-copper.txt \
            usr/share/man/man1/calbrine.1.gz \
            usr/share/doc/calbrine/copyright \
            usr/share/doc/calbrine/changelog.Debian.gz; do
    [ -f "$stage/$file" ] || fail "cmake --install did not install /$file"
done

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build_dir/CMakeCache.txt")"
rm -f "$build_dir"/calbrine_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb="$(ls "$build_dir"/calbrine_"$version"-*_*.deb)" || fail "cpack made no calbrine_${version}-*_*.deb"
contents="$(dpkg-deb -c "$deb")"
grep -q ' \./usr/bin/calbrine$' <<<"$contents" || fail "$deb has no /usr/bin/calbrine"
depends="$(dpkg-deb -f "$deb" Depends)"
grep -q 'libqt6widgets6' <<<"$depends" || fail "$deb Depends lacks libqt6widgets6: $depends"
# Debian's policy checker, where installed: no error and no warning.
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings on $deb"
fi
echo "check-package: $deb passes (Depends: $depends)"
