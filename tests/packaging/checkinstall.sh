#!/usr/bin/env bash
# checkinstall.sh STEP BUILD_DIR DESTDIR
#   install       installs BUILD_DIR with prefix /usr into the (emptied) DESTDIR
#   files         every file a desktop install needs is there and plausible
#   desktop-entry desktop-file-validate on the desktop entry
#   appstream     appstreamcli validate (offline) on the metainfo
#   mime-type     the file type is well-formed XML and its magic matches a project the program writes
# Exit 77 (skip) with the reason when a validator is not installed.
set -uo pipefail
step=$1 build=$2 root=$3
share=$root/usr/share
id=org.tessavrant.Tessavrant
# The program's own leak checking belongs to its tests, not to this look at the installed tree.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed (Debian package $2)"; exit 77; }; }

case $step in
install)
  rm -rf "$root"
  DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install failed"
  ;;
files)
  for f in bin/tessavrant bin/tessavrant-cli; do
    [ -x "$root/usr/$f" ] || fail "missing executable /usr/$f"
  done
  for f in applications/$id.desktop metainfo/$id.metainfo.xml mime/packages/tessavrant.xml \
           man/man1/tessavrant-cli.1; do
    [ -s "$share/$f" ] || fail "missing /usr/share/$f"
  done
  for size in 16 24 32 48 64 128 256; do
    for icon in apps/tessavrant mimetypes/application-x-tessavrant-project; do
      png=$share/icons/hicolor/${size}x${size}/$icon.png
      [ -s "$png" ] || fail "missing $png"
      # The PNG header holds width and height as big-endian words at bytes 16 and 20.
      dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
      [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
    done
  done
  # The manual page is the installed program's own help: every command it names is described.
  man=$share/man/man1/tessavrant-cli.1
  grep -q '^\.SH SYNOPSIS' "$man" || fail "manual page without a synopsis"
  text=$(sed 's/\\-/-/g' "$man")
  for cmd in $("$root/usr/bin/tessavrant-cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
    grep -q "^  $cmd " <<<"$text" || fail "manual page does not describe $cmd"
  done
  ;;
desktop-entry)
  need desktop-file-validate desktop-file-utils
  desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
  grep -q '^MimeType=application/x-tessavrant-project;' "$share/applications/$id.desktop" \
    || fail "desktop entry does not open project files"
  ;;
appstream)
  need appstreamcli appstream
  appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
  grep -q '<image>.*docs/mainwindow.png</image>' "$share/metainfo/$id.metainfo.xml" \
    || fail "metainfo does not name the main screenshot"
  ;;
mime-type)
  need xmllint libxml2-utils
  xml=$share/mime/packages/tessavrant.xml
  xmllint --noout "$xml" || fail "xmllint"
  ns='/*[local-name()="mime-info"]/*[local-name()="mime-type"]'
  magic=$(xmllint --xpath "string($ns/*[local-name()=\"magic\"]/*[local-name()=\"match\"][1]/@value)" "$xml")
  glob=$(xmllint --xpath "string($ns/*[local-name()=\"glob\"]/@pattern)" "$xml")
  [ "$glob" = "*.tvx" ] || fail "glob is '$glob'"
  tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
  printf 'R1;0603;1;2;top;0;1k\n' > "$tmp/board.csv"
  "$root/usr/bin/tessavrant-cli" convert --format tessavrant "$tmp/board.csv" --project "$tmp/board.tvx" \
    || fail "tessavrant-cli could not write a project"
  head=$(head -c ${#magic} "$tmp/board.tvx")
  [ -n "$magic" ] && [ "$head" = "$magic" ] || fail "a written project starts with '$head', the magic is '$magic'"
  ;;
*) fail "unknown step $step" ;;
esac
