#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from this build tree and looks at it as a packager and a school's
# administrator would: file list, control fields, the desktop, metainfo, MIME and manual page
# files, lintian, and the unpacked program finding its own bank from elsewhere.
# usage: test_package.sh BUILD_DIR VERSION APP_ID CPACK
set -u
build=$(cd "$1" && pwd) version=$2 app_id=$3 cpack=$4
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen

missing=""
for tool in "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli update-mime-database \
            lintian man gzip; do
  command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "SKIPPED: packaging tools missing:$missing (scripts/install-deps installs them)"
  exit 77
fi
if grep -q -e '^YHB_SCDOC:.*NOTFOUND' -e '^YHB_RSVG:.*NOTFOUND' "$build/CMakeCache.txt"; then
  echo "SKIPPED: this build was configured without scdoc or rsvg-convert; configure it again"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/yhb-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

# ---- build ------------------------------------------------------------------
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
set -- "$work"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || { ls "$work/out"; echo "FAIL: expected one .deb"; exit 1; }
deb=$1
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "yunhuiban_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"

# ---- control fields -----------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = yunhuiban ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), project $version"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
field Maintainer | grep -q '^[^<]* <[^@>]*@[^>]*>$' || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
for dep in 'libc6 (>=' 'libqt6widgets6 (>=' 'libqt6gui6 (>=' 'fonts-wqy-microhei | fonts-noto-cjk' \
           'qt6-translations-l10n'; do
  case "$depends" in *"$dep"*) ;; *) fail "Depends lacks '$dep': $depends" ;; esac
done
description=$(field Description)
case "$description" in *"22 families"*"云绘板"*) ;; *) fail "Description is not in English and Chinese" ;; esac

# ---- files: exactly these, and the bank byte for byte as built ------------------
{
  for f in bin/yunhuiban bin/yunhuiban-cli share/applications/yunhuiban.desktop \
           share/icons/hicolor/scalable/apps/yunhuiban.svg share/metainfo/"$app_id".metainfo.xml \
           share/mime/packages/yunhuiban.xml share/man/man1/yunhuiban.1.gz \
           share/man/man1/yunhuiban-cli.1.gz share/doc/yunhuiban/copyright \
           share/doc/yunhuiban/changelog.gz; do
    echo "./usr/$f"
  done
  for s in 48 64 128 256; do echo "./usr/share/icons/hicolor/${s}x$s/apps/yunhuiban.png"; done
  (cd "$build/bank" && find tm -type f) | sed 's|^|./usr/share/yunhuiban/|'
} | sort >"$work/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$work/actual"
if ! diff -u "$work/expected" "$work/actual" >"$work/files.diff"; then
  cat "$work/files.diff"
  fail "the package's files differ from the expected list (- missing, + unexpected)"
fi
dpkg-deb --fsys-tarfile "$deb" | tar -tv | grep -v ' root/root ' && fail "files not owned by root"

root=$work/root
dpkg-deb -x "$deb" "$root"
diff -r "$build/bank/tm" "$root/usr/share/yunhuiban/tm" || fail "the packaged bank differs from the build's"
for s in 48 64 128 256; do
  file "$root/usr/share/icons/hicolor/${s}x$s/apps/yunhuiban.png" | grep -q "PNG image data, $s x $s," ||
    fail "icon ${s}x$s is not a $s pixel PNG"
done
zcat "$root/usr/share/doc/yunhuiban/changelog.gz" | head -n 1 | grep -q "^yunhuiban ($version) " ||
  fail "the changelog's first entry is not version $version"

# ---- the files a desktop reads --------------------------------------------------
out=$(desktop-file-validate "$root/usr/share/applications/yunhuiban.desktop" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
grep -q '^Categories=Education;Math;$' "$root/usr/share/applications/yunhuiban.desktop" || fail "Categories"
grep -q '^Keywords\[zh_CN\]=.*函数' "$root/usr/share/applications/yunhuiban.desktop" || fail "Chinese Keywords"

# validate-tree also checks that the launchable desktop file and an icon are there.
out=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli validate-tree: $out"
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
for want in '<summary xml:lang="zh_CN">' "<release version=\"$version\"" '/docs/images/window.png</image>'; do
  grep -qF "$want" "$metainfo" || fail "metainfo lacks $want"
done
# The release date and the changelog's date agree.
release_date=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$metainfo")
changelog_date=$(zcat "$root/usr/share/doc/yunhuiban/changelog.gz" | sed -n 's/^ -- .*>  //p' | head -n 1)
[ "$(date -u -d "$changelog_date" +%F 2>/dev/null)" = "$release_date" ] ||
  fail "metainfo release $release_date, changelog $changelog_date"

mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/yunhuiban.xml" "$work/mime/packages/"
# With the folder in XDG_DATA_DIRS the tool prints nothing but problems.
out=$(XDG_DATA_DIRS="$work" update-mime-database "$work/mime" 2>&1)
[ -z "$out" ] || fail "update-mime-database: $out"
grep -qx 'application/x-yunhuiban-lesson:\*\.yhb' "$work/mime/globs" || fail "*.yhb is not a lesson"
grep -qx 'application/x-yunhuiban-lesson text/plain' "$work/mime/subclasses" || fail "a lesson is not text"

for page in yunhuiban yunhuiban-cli; do
  text=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$page.1.gz" 2>"$work/man.err")
  [ -s "$work/man.err" ] && fail "man $page: $(cat "$work/man.err")"
  printf '%s\n' "$text" | grep -q "^NAME" || fail "man $page has no NAME"
  printf '%s\n' "$text" | grep -q "^       $page - " || fail "man $page does not name $page"
done

# ---- lintian: neither errors nor warnings (infos are printed) ----------------------
lintian --no-cfg --profile debian --info "$deb" >"$work/lintian" 2>"$work/lintian.err" ||
  fail "lintian exited $?: $(grep -v 'root privileges' "$work/lintian.err")"
grep '^[EW]: ' "$work/lintian" && fail "lintian reports errors or warnings"
# The bank's question files are data that happen to end in .txt, not documentation.
grep '^I: ' "$work/lintian" | grep -v 'documentation-outside-usr-share-doc'

# ---- the unpacked copy finds its own bank from elsewhere ----------------------------
mkdir "$work/elsewhere"
cd "$work/elsewhere" || exit 1
"$root/usr/bin/yunhuiban-cli" bank >"$work/bank.out" 2>"$work/bank.err"
rc=$?
[ $rc -eq 0 ] || fail "unpacked yunhuiban-cli bank exited $rc: $(cat "$work/bank.err")"
used=$(sed -n "s/^题库 //p" "$work/bank.err")
[ -n "$used" ] && [ "$(realpath "$used")" = "$(realpath "$root/usr/share/yunhuiban")" ] ||
  fail "unpacked yunhuiban-cli used the bank '$used', not its own"
"$build/yunhuiban-cli" bank "$build/bank" >"$work/bank.expected" 2>/dev/null
diff -u "$work/bank.expected" "$work/bank.out" || fail "the unpacked copy lists its bank differently"
grep -q '^category ' "$work/bank.out" || fail "the unpacked copy lists no categories"

# A bank in the current directory still comes first.
mkdir -p "$work/lesson/tm"
printf '1999.01\r\n' >"$work/lesson/tm/FuncVer.fun"
cd "$work/lesson" || exit 1
"$root/usr/bin/yunhuiban-cli" bank >"$work/bank2.out" 2>"$work/bank2.err"
grep -q '^version 1999.01' "$work/bank2.out" || fail "tm/ in the current directory was not used first"

# Without its own bank the copy never falls back to the build tree's.
rm -rf "$root/usr/share/yunhuiban"
cd "$work/elsewhere" || exit 1
"$root/usr/bin/yunhuiban-cli" bank >/dev/null 2>"$work/bank3.err"
case "$(sed -n "s/^题库 //p" "$work/bank3.err")" in
  "$build"*) fail "the unpacked copy fell back to the build tree's bank" ;;
esac

[ $status -eq 0 ] && echo "package $(basename "$deb"): $(wc -l <"$work/actual") files, all checks passed"
exit $status
