#!/bin/sh
# Writes the text dumps that show the program's behaviour on real files into OUT_DIR: gerber-dump of
# every corpus Gerber and drill file, convert of every corpus centroid file (placement and part
# lists), and project-dump of a project written from each of them. Two runs on different builds
# compare with `diff -r`.
# Usage: scripts/dumps.sh BUILD_DIR OUT_DIR
set -u
build=${1:?build folder}
out=${2:?output folder}
cli=$build/src/cli/tessavrant-cli
here=$(cd "$(dirname "$0")" && pwd)
corpus=$(cd "${TESSAVRANT_CORPUS_DIR:-$here/../../shared/corpus}" && pwd)
export QT_QPA_PLATFORM=offscreen
mkdir -p "$out/gerber" "$out/pnp"
find "$corpus/gerber" -type f ! -name '*.png' ! -name '*.tsv' ! -name '*.md' | sort | while read -r f; do
  name=$(echo "${f#"$corpus"/gerber/}" | tr '/' '_')
  "$cli" gerber-dump "$f" >"$out/gerber/$name.txt" 2>&1
  echo "exit $?" >>"$out/gerber/$name.txt"
done
find "$corpus/pnp" -type f ! -name '*.tsv' | sort | while read -r f; do
  rel=${f#"$corpus"/pnp/}
  case $rel in
    altium/*.csv) fmt=altium-csv ;;
    altium/*) fmt=altium ;;
    eagle_mnt/*) fmt=eagle ;;
    eagle_partlist/*) fmt=eagle-part ;;
    kicad/*) fmt=kicad ;;
    *) fmt=tessavrant ;;
  esac
  side=file
  case $rel in
    eagle_mnt/*.mnb) side=bottom ;;
    eagle_mnt/*|eagle_partlist/*) side=top ;;
  esac
  name=$(echo "$rel" | tr '/' '_')
  "$cli" convert --format "$fmt" --side "$side" "$f" --pnp "$out/pnp/$name.pnp.csv" \
    --parts "$out/pnp/$name.parts.csv" --project "$out/pnp/$name.tvx" >"$out/pnp/$name.log" 2>&1
  echo "exit $?" >>"$out/pnp/$name.log"
  if [ -f "$out/pnp/$name.tvx" ]; then
    "$cli" project-dump "$out/pnp/$name.tvx" >"$out/pnp/$name.dump.txt" 2>&1
    rm -f "$out/pnp/$name.tvx"
  fi
  # The same placements through the board transforms, with a layer on each side.
  "$cli" convert --format "$fmt" --side "$side" "$f" --board 100,80 --transform rotate \
    --transform mirror --transform origin:1.5,-2 --transform shift-x:3 --transform switch-side \
    --project "$out/pnp/$name.t.tvx" --layer top:signal="$corpus/gerber/gerbv/example/orcad/rs232_cm.top" \
    --layer bottom:drill="$corpus/gerber/gerbv/example/orcad/rs232_cm.drd" >"$out/pnp/$name.t.log" 2>&1
  echo "exit $?" >>"$out/pnp/$name.t.log"
  if [ -f "$out/pnp/$name.t.tvx" ]; then
    "$cli" project-dump "$out/pnp/$name.t.tvx" >"$out/pnp/$name.t.dump.txt" 2>&1
    rm -f "$out/pnp/$name.t.tvx"
  fi
done
