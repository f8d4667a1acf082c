#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# ./setup and scripts/install-deps on a machine we pretend is fresh: stub id, dpkg-query,
# apt-get, sudo and make on a PATH that holds nothing else, so that what would be run as root
# is recorded instead of run.
# usage: test_setup.sh SOURCE_DIR
set -u
src=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/yhb-setup.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

# A copy of the two scripts, so that nothing can touch the tree.
mkdir -p "$work/tree/scripts"
cp "$src/setup" "$work/tree/"
cp "$src/scripts/install-deps" "$src/scripts/need-display" "$work/tree/scripts/"

# $1: uid; $2: the packages dpkg-query calls missing; $3: with sudo (1) or not (0)
machine() {
  bin=$work/bin
  rm -rf "$bin" "$work/log"
  mkdir "$bin"
  for tool in sh grep dirname cat; do ln -s "$(command -v $tool)" "$bin/$tool"; done
  printf '#!/bin/sh\necho %s\n' "$1" >"$bin/id"
  cat >"$bin/dpkg-query" <<EOF
#!/bin/sh
for p in $2; do [ "\$3" = "\$p" ] && exit 1; done
printf 'install ok installed'
EOF
  printf '#!/bin/sh\necho "apt-get $*" >>"%s/log"\n' "$work" >"$bin/apt-get"
  printf '#!/bin/sh\necho "make $*" >>"%s/log"\n' "$work" >"$bin/make"
  if [ "$3" = 1 ]; then
    printf '#!/bin/sh\necho "sudo $1 $2" >>"%s/log"\nexec "$@"\n' "$work" >"$bin/sudo"
  fi
  chmod +x "$bin"/*
}
# Run without a display unless DISPLAY is given before the script.
run() {
  shown=""
  case "$1" in DISPLAY=*) shown=$1; shift ;; esac
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $shown PATH="$work/bin" /bin/sh "$@" </dev/null >"$work/out" 2>&1
}
log() { cat "$work/log" 2>/dev/null; }

# Root on a fresh machine: apt-get itself installs make, then make runs the target.
machine 0 "make scdoc" 0
run "$work/tree/setup" test
rc=$?
[ $rc -eq 0 ] || fail "setup as root exited $rc: $(cat "$work/out")"
log | grep -q '^apt-get update' || fail "root: no apt-get update: $(log)"
log | grep -q '^apt-get install .*--no-install-recommends make scdoc$' || fail "root: did not install make and scdoc: $(log)"
[ "$(log | tail -n 1)" = "make test" ] || fail "root: make test did not follow the installation: $(log)"

# A user with sudo, in a desktop session.
machine 1000 "make" 1
run DISPLAY=:0 "$work/tree/setup" run
log | grep -q '^sudo sh -c' || fail "user with sudo: sudo not used: $(log)"
log | grep -q '^apt-get install .* make$' || fail "user with sudo: make not installed: $(log)"
[ "$(log | tail -n 1)" = "make run" ] || fail "user with sudo: make run did not follow: $(log)"

# A user without sudo and without a terminal for su: the exact command for root, nothing run.
machine 1000 "make g++" 0
run "$work/tree/setup" test
rc=$?
[ $rc -ne 0 ] || fail "without sudo setup went on"
[ -z "$(log)" ] || fail "without sudo something ran: $(log)"
grep -qF "apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends g++ make" \
  "$work/out" || fail "without sudo the command for root was not printed: $(cat "$work/out")"
grep -q 'root' "$work/out" && grep -q '请以 root 身份运行' "$work/out" || fail "without sudo no explanation"

# Nothing missing: no apt-get, no sudo, only make.
machine 1000 "" 1
run "$work/tree/setup" test
[ "$(log)" = "make test" ] || fail "with nothing missing: $(log)"

# No target: usage, nothing installed.
machine 0 "make" 0
run "$work/tree/setup"
rc=$?
[ $rc -eq 2 ] && [ -z "$(log)" ] || fail "setup without a target: exit $rc, $(log)"

# run without a display: said at once, before anything is installed or built.
machine 0 "make g++" 0
run "$work/tree/setup" run
rc=$?
[ $rc -ne 0 ] || fail "setup run without a display went on"
[ -z "$(log)" ] || fail "setup run without a display installed or built: $(log)"
grep -q 'desktop session' "$work/out" && grep -q '桌面会话' "$work/out" ||
  fail "setup run without a display did not say it needs a desktop session: $(cat "$work/out")"

# make run the same, before the build starts (on the stubbed machine, where nothing is missing
# and there is no cmake, so that a run that went on could do no harm).
if command -v make >/dev/null 2>&1; then
  make=$(command -v make)
  cp "$src/Makefile" "$work/tree/"
  machine 0 "" 0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$work/bin" "$make" -C "$work/tree" run \
    BUILD="$work/build" </dev/null >"$work/out" 2>&1
  rc=$?
  [ $rc -ne 0 ] && [ ! -e "$work/build" ] || fail "make run without a display built (exit $rc): $(cat "$work/out")"
  grep -q '桌面会话' "$work/out" || fail "make run without a display did not say why: $(cat "$work/out")"
fi

[ $status -eq 0 ] && echo "setup: root, sudo, no sudo, nothing missing, no target, no display: all as expected"
exit $status
