#!/bin/sh
# An installation into an empty prefix (with a blank in its path): a valid menu entry that names
# the installed program, valid metainfo, the icon in every size, a program that starts from the
# prefix's bin with its data in the user's folder, and an uninstall that leaves only what was
# there before.
set -eu
build=$1 id=$2 source=$3
root=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$root"' EXIT
pid=
prefix="$root/my usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
desktop-file-validate "$share/applications/$id.desktop"
grep -qx "Exec=\"$prefix/bin/tarvo\"" "$share/applications/$id.desktop" \
  || { echo "the menu entry does not name the installed program:"; grep Exec "$share/applications/$id.desktop"; exit 1; }
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null
for icon in scalable/apps/$id.svg 16x16/apps/$id.png 48x48/apps/$id.png 256x256/apps/$id.png; do
  test -s "$share/icons/hicolor/$icon" || { echo "missing icon $icon"; exit 1; }
done
test -s "$share/doc/tarvo/manual.htm"
for program in tarvo tarvo-viewer tarvo-newdb; do test -x "$prefix/bin/$program"; done

mkdir "$root/home"
HOME=$root/home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen "$prefix/bin/tarvo" >/dev/null 2>&1 &
pid=$!
data=$root/home/.local/share/Tarvo/main.mdb
for _ in $(seq 100); do
  [ -s "$data" ] && break
  sleep 0.1
done
test -s "$data" || { echo "no database made in the user's data folder"; exit 1; }
test ! -e "$prefix/bin/main.mdb"
kill "$pid"

echo kept > "$prefix/bin/other-program"
sh "$source/scripts/uninstall" "$build" "$prefix" >/dev/null
left=$(cd "$prefix" && find . ! -type d)
[ "$left" = "./bin/other-program" ] || { echo "uninstall left or removed:"; echo "$left"; exit 1; }
test -s "$data"
