#!/usr/bin/env bash
# Lists the topics of the compiled help file and checks that it holds every topic the
# programs open, and its table of contents.
# Usage: check-topics.sh CHMLS TESSALY_CHM
set -euo pipefail
chmls=$1
chm=$2
[ -s "$chm" ] || { echo "missing: $chm"; exit 1; }
listing=$("$chmls" -n list "$chm")
missing=0
for topic in editor_home.htm about.htm opt_{1..11}.htm log_viewer.htm Tessaly.hhc; do
  if ! grep -qx "/$topic" <<<"$listing"; then
    echo "not in the help file: $topic"
    missing=1
  fi
done
# Each page of the contents names a topic that the file holds.
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
"$chmls" extract "$chm" /Tessaly.hhc "$workdir/toc.hhc" >/dev/null
for local in $(grep -o 'name="Local" value="[^"]*"' "$workdir/toc.hhc" | sed 's/.*value="//; s/"$//'); do
  grep -qx "/$local" <<<"$listing" || { echo "contents names a missing topic: $local"; missing=1; }
done
"$chmls" extract "$chm" /editor_home.htm "$workdir/editor_home.htm" >/dev/null
grep -q "F1" "$workdir/editor_home.htm" || { echo "editor_home.htm came out empty"; missing=1; }
[ "$missing" -eq 0 ] && echo "Tessaly.chm: all $(grep -c '\.htm$' <<<"$listing") topics and the contents are there"
exit "$missing"
