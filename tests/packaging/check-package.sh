#!/usr/bin/env bash
# Checks of the installed program and its packages. Usage: check-package.sh MODE SOURCE BUILD
#   desktop  - the desktop entry and the AppStream metainfo pass their validators
#   install  - `cmake --install` into a temporary prefix gives the expected tree
#   deb      - CPack builds a .deb whose files and control fields are right
#   lintian  - Debian's package checker finds no error and no warning in that .deb
#   winres   - the Windows resource scripts compile (with MinGW's windres)
# Exits 77 (skipped) when a tool it needs is not installed.
set -euo pipefail
mode=$1 src=$2 build=$3
need() { command -v "$1" >/dev/null || { echo "skipped: $1 is not installed"; exit 77; }; }
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Builds the .deb into $tmp/out with CPack, as a packager would.
build_deb() {
  need dpkg-deb
  need dpkg-shlibdeps
  (cd "$tmp" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >/dev/null)
}

expected_files=(
  bin/quillery
  bin/quillery-cli
  share/applications/example.tollvern.quillery.desktop
  share/mime/packages/quillery.xml
  share/metainfo/example.tollvern.quillery.metainfo.xml
  share/icons/hicolor/16x16/apps/quillery.png
  share/icons/hicolor/24x24/apps/quillery.png
  share/icons/hicolor/32x32/apps/quillery.png
  share/icons/hicolor/48x48/apps/quillery.png
  share/icons/hicolor/64x64/apps/quillery.png
  share/icons/hicolor/128x128/apps/quillery.png
  share/icons/hicolor/256x256/apps/quillery.png
  share/icons/hicolor/scalable/apps/quillery.svg
  share/man/man1/quillery.1.gz
  share/man/man1/quillery-cli.1.gz
  share/doc/quillery/copyright
  share/doc/quillery/changelog.gz
  share/doc/quillery/changelog.Debian.gz
)

case "$mode" in
desktop)
  need desktop-file-validate
  need appstreamcli
  desktop-file-validate "$src/packaging/example.tollvern.quillery.desktop"
  grep -qx 'Exec=quillery %f' "$src/packaging/example.tollvern.quillery.desktop" || fail "Exec line"
  grep -q '^Categories=Office;' "$src/packaging/example.tollvern.quillery.desktop" || fail "category"
  metainfo="$src/packaging/example.tollvern.quillery.metainfo.xml"
  appstreamcli validate --no-net "$metainfo"
  # The screenshot the metainfo shows is kept here, at the size the metainfo gives.
  shot="$src/packaging/screenshots/$(sed -n 's#.*<image[^>]*>https://.*/\([^/<]*\)</image>.*#\1#p' "$metainfo")"
  [ -f "$shot" ] || fail "no screenshot $shot"
  size=$(od -An -tu1 -j16 -N8 "$shot" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  grep -q "width=\"${size%x*}\" height=\"${size#*x}\"" "$metainfo" || fail "screenshot is $size"
  grep -q '<glob pattern="\*.book"/>' "$src/packaging/quillery-book.xml" || fail "MIME glob"
  grep -q 'type="application/x-quillery-book"' "$src/packaging/quillery-book.xml" || fail "MIME type"
  echo "desktop files valid"
  ;;
install)
  cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
  for f in "${expected_files[@]}"; do
    [ -e "$tmp/prefix/$f" ] || fail "not installed: $f"
  done
  [ -n "$(ls "$tmp/prefix/share/doc/quillery/examples/catalogue/"*.book 2>/dev/null)" ] || fail "sample catalogue"
  zcat "$tmp/prefix/share/man/man1/quillery.1.gz" | grep -c "^\.TH QUILLERY 1 " >/dev/null || fail "manual page"
  # The installed command line runs from its new place.
  # The output is taken whole first: grep -q leaving early would make the writer fail under
  # pipefail now and then.
  usage=$("$tmp/prefix/bin/quillery-cli" --help) || fail "installed quillery-cli --help"
  grep -q '^Usage: quillery-cli' <<<"$usage" || fail "installed quillery-cli"
  echo "installed tree complete"
  ;;
deb)
  build_deb
  deb=$(ls "$tmp"/out/quillery_*.deb)
  [ -f "$deb" ] || fail "no .deb"
  [ "$(dpkg-deb -f "$deb" Package)" = quillery ] || fail "Package field"
  [ "$(dpkg-deb -f "$deb" Version)" = 1.2.0.0-1 ] || fail "Version field"
  depends=$(dpkg-deb -f "$deb" Depends)
  for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    grep -q "$p" <<<"$depends" || fail "Depends lacks $p: $depends"
  done
  contents=$(dpkg-deb -c "$deb")
  for f in "${expected_files[@]}"; do
    grep -q "\./usr/$f\$" <<<"$contents" || fail "not in the package: /usr/$f"
  done
  echo "package $(basename "$deb"): $depends"
  ;;
lintian)
  need lintian
  build_deb
  # Tags that cannot apply to a package built outside Debian's archive, each with the reason.
  suppressed=(
    # Debian's first upload of a package closes the "intent to package" bug filed in Debian's
    # bug tracker; a package built from this repository is not uploaded there and has no such
    # bug to close.
    initial-upload-closes-no-bugs
  )
  lintian --fail-on error,warning --display-info \
    --suppress-tags "$(IFS=,; echo "${suppressed[*]}")" "$tmp"/out/quillery_*.deb \
    || fail "lintian reports errors or warnings"
  echo "lintian: no errors, no warnings"
  ;;
winres)
  need x86_64-w64-mingw32-windres
  for rc in "$build/app/quillery.rc" "$build/cli/quillery-cli.rc"; do
    x86_64-w64-mingw32-windres "$rc" -O coff -o "$tmp/out.res"
  done
  echo "resource scripts compile"
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
