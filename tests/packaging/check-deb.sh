#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, runs it, and removes it:
#   check-deb.sh <build folder>
# Skipped (status 77) when not root, or when a brenvaltique package is already installed here.
set -euo pipefail
build=$1
[ "$(id -u)" -eq 0 ] || { echo "not root: skipped"; exit 77; }
if dpkg-query -W -f='${Status}' brenvaltique 2>/dev/null | grep -q "install ok"; then
  echo "a brenvaltique package is installed already: skipped"; exit 77
fi
tmp=$(mktemp -d)
installed=0
# dpkg takes one caller at a time: wait for the lock rather than fail on it.
dpkg_retry() {
  for _ in $(seq 60); do
    if dpkg "$@" > "$tmp/dpkg.log" 2>&1; then return 0; fi
    grep -q "lock" "$tmp/dpkg.log" || { cat "$tmp/dpkg.log"; return 1; }
    sleep 2
  done
  cat "$tmp/dpkg.log"; return 1
}
cleanup() {
  [ "$installed" = 1 ] && dpkg_retry -r brenvaltique || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" > "$tmp/cpack.log" 2>&1) \
  || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/out/*.deb)
lintian --fail-on error "$deb" | tee "$tmp/lintian.log" \
  || fail "lintian reports errors"

installed=1
dpkg_retry -i "$deb" || fail "dpkg -i"
[ -L /usr/bin/brenvaltique ] || fail "no /usr/bin/brenvaltique"
out=$(env -i HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=offscreen \
  PATH=/usr/bin:/bin timeout 4 brenvaltique 2>&1) && rc=0 || rc=$?
[ "$rc" = 124 ] || { echo "$out"; fail "the packaged program ended with status $rc"; }
grep -q "not found" <<< "$out" && { echo "$out"; fail "the packaged program misses its pictures"; }
listed=$(dpkg -L brenvaltique)
dpkg_retry -r brenvaltique || fail "dpkg -r"
installed=0
for f in $listed; do
  [ -d "$f" ] && continue
  [ -e "$f" ] || [ -L "$f" ] && fail "$f left after removal"
done
echo "package ok"
