#!/usr/bin/env bash
# The release's resources, read back from the built files with the MinGW tools and icoutils:
# every shipped binary carries the product's version resource and its manifest, each
# deliverable's icon comes at 16, 32 and 48 pixels, and the installer and the zip carry the
# version in their names.
#   check-resources.sh BIN_DIR VERSION DIST_DIR
set -uo pipefail
bin=$1 version=$2 dist=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

resources() { i686-w64-mingw32-windres -i "$1" -O rc 2>/dev/null; }

# file, description, manifest id
for entry in "Scrivel.exe:Scrivel configuration editor:1" "Options.dll:Tessaly options:2" \
             "Brenlo.dll:Brenlo log viewer:2" "editor.dll:Tessaly editor component:2"; do
  IFS=: read -r file description manifest <<<"$entry"
  rc=$(resources "$bin/$file")
  grep -q "VALUE \"ProductName\", \"Tessaly\"" <<<"$rc" || fail "$file: product name"
  grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" || fail "$file: product version"
  grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$rc" || fail "$file: file version"
  grep -q "VALUE \"FileDescription\", \"$description\"" <<<"$rc" || fail "$file: description"
  grep -q "VALUE \"OriginalFilename\", \"$file\"" <<<"$rc" || fail "$file: original name"
  grep -q "FILEVERSION ${version//./, }, 0" <<<"$rc" || fail "$file: numeric version"
  grep -q "^$manifest 24 " <<<"$rc" || fail "$file: manifest $manifest"
  grep -q "Microsoft.Windows.Common-Controls\"\" version=\"\"6.0.0.0" <<<"$rc" || fail "$file: common controls 6"
done
rc=$(resources "$bin/Scrivel.exe")
grep -q "dpiAware" <<<"$rc" || fail "Scrivel.exe: DPI awareness"
[ "$(grep -c "supportedOS" <<<"$rc")" -ge 4 ] || fail "Scrivel.exe: supported systems"

# file, icon resource: the frame's (128) and the documents' (129) of Scrivel, the viewer's
# frame (128), the options dialog's (143).
icon_sizes() {
  wrestool -x --type=14 --name="$2" "$1" 2>/dev/null | icotool -l - 2>/dev/null |
    sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' | sort -n | tr '\n' ' '
}
for entry in Scrivel.exe:128 Scrivel.exe:129 Brenlo.dll:128 Options.dll:143; do
  IFS=: read -r file id <<<"$entry"
  sizes=$(icon_sizes "$bin/$file" "$id")
  for size in 16x16 32x32 48x48; do
    [[ " $sizes" == *" $size "* ]] || fail "$file icon $id has no $size picture (has: $sizes)"
  done
done

setup="$dist/TessalySetup-$version.exe"
if [ -f "$setup" ]; then
  sizes=$(wrestool -x --type=14 "$setup" 2>/dev/null | icotool -l - 2>/dev/null |
    sed -n 's/.*--width=\([0-9]*\) .*/\1/p' | sort -n | tr '\n' ' ')
  [ "$sizes" = "16 32 48 " ] || fail "installer icon sizes: $sizes"
  rc=$(resources "$setup")
  grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" || fail "installer: product version"
  listed=$(unzip -Z1 "$dist/Tessaly-$version.zip" | LC_ALL=C sort | tr '\n' ' ')
  expected="Brenlo.dll Options.dll Scrivel.exe Tessaly-ReadMe.txt Tessaly-directives.txt Tessaly-keywords.txt Tessaly.chm editor.dll "
  [ "$listed" = "$expected" ] || fail "zip holds: $listed"
  # F1 in the demo opens the sample server's manual.
  demo=$(unzip -Z1 "$dist/TessalyDemo-$version.zip")
  for page in Apache24/manual/index.html Apache24/manual/mod/core.html Apache24/style/css/manual.css; do
    grep -qx "$page" <<<"$demo" || fail "the demo has no $page"
  done
else
  fail "no $setup"
fi

echo "check-resources: $failures problem(s)"
exit $((failures > 0))
