#!/usr/bin/env bash
# Installs into a temporary DESTDIR and checks what a packager and a user get:
#   check-install.sh <build folder> <bundle folder under the prefix> <application id>
set -euo pipefail
build=$1 bundledir=$2 id=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr > "$tmp/install.log" || { cat "$tmp/install.log"; fail "install"; }
usr=$root/usr

# The command on PATH is a relative link to the bundle's executable, beside its Resources.
link=$usr/bin/brenvaltique
[ -L "$link" ] || fail "bin/brenvaltique is not a symbolic link"
target=$(readlink "$link")
[[ $target != /* ]] || fail "the link is absolute: $target"
[ "$(readlink -f "$link")" = "$(readlink -f "$usr/$bundledir/MacOS/brenvaltique")" ] || fail "the link leads to $target"
[ -x "$usr/$bundledir/MacOS/brenvaltique" ] || fail "no executable in the bundle"
for p in Tassilumbre128.png Tous.png; do
  [ -f "$usr/$bundledir/Resources/$p" ] || fail "no $p in the bundle's Resources"
done

# Desktop entry, icons at their sizes, AppStream data, manual page, copyright.
desktop=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] && [ -f "$metainfo" ] || fail "no desktop entry or metainfo"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
grep -qx "Exec=brenvaltique" "$desktop" || fail "the desktop entry starts something else"
grep -qx "Categories=Utility;FileTools;" "$desktop" || fail "categories"
grep -qE '^MimeType=|%[fFuU]' "$desktop" && fail "the desktop entry offers to open files"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches another entry"
for s in 16 22 24 32 48 64 128; do
  icon=$usr/share/icons/hicolor/${s}x$s/apps/$id.png
  [ -f "$icon" ] || fail "no ${s}x$s icon"
  # Width and height from the PNG header (bytes 16-23, big-endian).
  size=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$size" = "${s}x$s" ] || fail "the ${s}x$s icon is $size"
done
[ -f "$usr/share/man/man1/brenvaltique.1.gz" ] || fail "no manual page"
[ -f "$usr/share/doc/brenvaltique/copyright" ] || fail "no copyright file"

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" > "$tmp/as.log" 2>&1 || { cat "$tmp/as.log"; fail "appstreamcli validate"; }

# Started from bin/ through PATH, the program finds its pictures: it is still running (timeout's 124)
# and has said nothing about them. Moved alone, it says so.
run() {
  env -i HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=offscreen \
    LC_ALL=C.UTF-8 PATH="$1:/usr/bin:/bin" ASAN_OPTIONS=detect_leaks=0 timeout 4 "${@:2}" > "$tmp/out" 2>&1 && rc=0 || rc=$?
}
run "$usr/bin" brenvaltique
[ "$rc" = 124 ] || { cat "$tmp/out"; fail "the installed program ended with status $rc"; }
grep -q "not found" "$tmp/out" && { cat "$tmp/out"; fail "the installed program misses its pictures"; }
mkdir "$tmp/alone"
cp "$usr/$bundledir/MacOS/brenvaltique" "$tmp/alone/"
run "$tmp/alone" brenvaltique
grep -q "picture Tous.png not found" "$tmp/out" || { cat "$tmp/out"; fail "moved alone, the program says nothing"; }
echo "install layout ok"
