#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from this build tree and looks at it as a packager and a school's
# administrator would: file list, control fields, the desktop, metainfo, MIME and manual page
# files, lintian, and the unpacked program finding its own bank from elsewhere.
# usage: test_package.sh BUILD_DIR VERSION APP_ID CPACK SOURCE_DIR
set -u
build=$(cd "$1" && pwd) version=$2 app_id=$3 cpack=$4 source=$5
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen

missing=""
for tool in "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli update-mime-database \
            lintian man localedef gzip; do
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
           share/man/man1/yunhuiban-cli.1.gz share/man/zh_CN/man1/yunhuiban.1.gz \
           share/lintian/overrides/yunhuiban share/doc/yunhuiban/copyright \
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

# ---- the licence ----------------------------------------------------------------
copyright=$root/usr/share/doc/yunhuiban/copyright
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
grep -qx 'License: GPL-3+' "$copyright" && grep -q '/usr/share/common-licenses/GPL-3' "$copyright" ||
  fail "the copyright file does not grant the GPL, version 3 or later"
grep -qi 'all rights reserved' "$copyright" && fail "the copyright file still reserves all rights"
# The licence named is the one the sources come with.
if [ -f /usr/share/common-licenses/GPL-3 ]; then
  cmp -s "$source/COPYING" /usr/share/common-licenses/GPL-3 || fail "COPYING is not the text of the GPL, version 3"
fi
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "metainfo names no project licence"

# ---- the manual pages, as a reader gets them from man ---------------------------
# No -l and no -E: man finds the page through MANPATH and reads it in the locale's charset.
man_page() { # PAGE VAR=VALUE...: the page as text; troff's warnings in $work/man.err
  page=$1
  shift
  env -i PATH="$PATH" MANPATH="$root/usr/share/man" MANWIDTH=80 "$@" man --warnings "$page" 2>"$work/man.err"
}
# The running text of a page: lines joined, words hyphenated at a line's end made whole.
running() { sed -e ':a' -e '/[-‐]$/{N;s/[-‐]\n *//;ba' -e '}' | tr '\n' ' ' | tr -s ' '; }
for page in yunhuiban yunhuiban-cli; do
  # Without any locale (a fresh minimal Debian's) and in a UTF-8 one the English page reads the
  # same, but for the hyphen groff draws at a break: nothing is lost to the charset.
  man_page $page >"$work/plain"
  [ -s "$work/man.err" ] && fail "man $page without a locale: $(cat "$work/man.err")"
  man_page $page LANG=C.UTF-8 | sed 's/‐/-/g' >"$work/utf8"
  [ -s "$work/man.err" ] && fail "man $page in C.UTF-8: $(cat "$work/man.err")"
  diff -u "$work/utf8" "$work/plain" >"$work/man.diff" ||
    fail "man $page without a locale loses text that C.UTF-8 shows: $(head -n 12 "$work/man.diff")"
  plain=$(cat "$work/plain")
  printf '%s\n' "$plain" | grep -q "^NAME" || fail "man $page has no NAME"
  printf '%s\n' "$plain" | grep -Eq "^ +$page +- +[a-z]" || fail "man $page does not name $page"
done
man_page yunhuiban | running | grep -q 'the exponential and the logarithmic function' ||
  fail "man yunhuiban lost its description"

# The Chinese page in a Chinese locale, made here as a school's desktop has it.
mkdir -p "$work/locale"
if localedef -i zh_CN -f UTF-8 "$work/locale/zh_CN.UTF-8" >"$work/localedef.log" 2>&1; then
  zh=$(man_page yunhuiban LOCPATH="$work/locale" LANG=zh_CN.UTF-8)
  [ -s "$work/man.err" ] && fail "man yunhuiban in zh_CN.UTF-8: $(cat "$work/man.err")"
  printf '%s\n' "$zh" | grep -q '^名称' || fail "man yunhuiban in zh_CN.UTF-8 is not the Chinese page"
  printf '%s\n' "$zh" | grep -q 'yunhuiban - 云绘板：绘制函数与圆锥曲线' || fail "the Chinese page lost its name line"
  printf '%s\n' "$zh" | tr -d ' \n' | grep -q '“添加新函数”列出22类函数' || fail "the Chinese page lost its description"
  # A page without a translation is read in English there.
  man_page yunhuiban-cli LOCPATH="$work/locale" LANG=zh_CN.UTF-8 | grep -q '^NAME' ||
    fail "man yunhuiban-cli in zh_CN.UTF-8 is not the English page"
  [ -s "$work/man.err" ] && fail "man yunhuiban-cli in zh_CN.UTF-8: $(cat "$work/man.err")"
else
  fail "localedef could not make zh_CN.UTF-8 (the locales package has its sources): $(cat "$work/localedef.log")"
fi

# ---- lintian: neither errors nor warnings, and nothing on hardening (infos are printed) ----
lintian --no-cfg --profile debian --pedantic --display-info "$deb" >"$work/lintian" 2>"$work/lintian.err" ||
  fail "lintian exited $?: $(grep -v 'root privileges' "$work/lintian.err")"
grep '^[EW]: ' "$work/lintian" && fail "lintian reports errors or warnings"
grep -E 'hardening|binary-has-unneeded-section' "$work/lintian" && fail "lintian finds the programs built without hardening"
grep '^[IP]: ' "$work/lintian"

# ---- the unpacked copy finds its own bank from elsewhere ----------------------------
mkdir "$work/elsewhere"
cd "$work/elsewhere" || exit 1
"$root/usr/bin/yunhuiban-cli" bank --list >"$work/bank.out" 2>"$work/bank.err"
rc=$?
[ $rc -eq 0 ] || fail "unpacked yunhuiban-cli bank exited $rc: $(cat "$work/bank.err")"
used=$(sed -n "s/^题库 //p" "$work/bank.err")
[ -n "$used" ] && [ "$(realpath "$used")" = "$(realpath "$root/usr/share/yunhuiban")" ] ||
  fail "unpacked yunhuiban-cli used the bank '$used', not its own"
"$build/yunhuiban-cli" bank "$build/bank" --list >"$work/bank.expected" 2>/dev/null
diff -u "$work/bank.expected" "$work/bank.out" || fail "the unpacked copy lists its bank differently"
grep -q '^category ' "$work/bank.out" || fail "the unpacked copy lists no categories"

# A bank in the current directory still comes first.
mkdir -p "$work/lesson/tm"
printf '1999.01\r\n' >"$work/lesson/tm/FuncVer.fun"
cd "$work/lesson" || exit 1
"$root/usr/bin/yunhuiban-cli" bank --list >"$work/bank2.out" 2>"$work/bank2.err"
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
