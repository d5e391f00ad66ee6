#!/bin/sh
# An installation into an empty prefix: a valid menu entry and metainfo, the icon in every
# size, and a program that starts from the prefix's bin with its data in the user's folder.
set -eu
build=$1 id=$2
root=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$root"' EXIT
pid=
cmake --install "$build" --prefix "$root/usr" >/dev/null
share=$root/usr/share
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null
for icon in scalable/apps/$id.svg 16x16/apps/$id.png 48x48/apps/$id.png 256x256/apps/$id.png; do
  test -s "$share/icons/hicolor/$icon" || { echo "missing icon $icon"; exit 1; }
done
test -s "$share/doc/tarvo/manual.htm"
for program in tarvo tarvo-viewer tarvo-newdb tarvo-dbcopy; do test -x "$root/usr/bin/$program"; done

mkdir "$root/home"
HOME=$root/home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen "$root/usr/bin/tarvo" >/dev/null 2>&1 &
pid=$!
data=$root/home/.local/share/Tarvo/main.mdb
for _ in $(seq 100); do
  [ -s "$data" ] && break
  sleep 0.1
done
test -s "$data" || { echo "no database made in the user's data folder"; exit 1; }
test ! -e "$root/usr/bin/main.mdb"
