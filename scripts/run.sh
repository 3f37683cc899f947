#!/usr/bin/env bash
# Builds Quoxel and runs it. With a display the window opens in a Wine virtual desktop; without one it
# runs in a private Xvfb display, and a screenshot of it is saved and its path printed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

"$here/setup.sh"
"$here/build.sh" --win32 --target quoxel winprobe

dist=$build_root/dist
mkdir -p "$dist/Data"
cp "$build_root/win/quoxel.exe" "$dist/"
cp -r "$build_root/win/Data/." "$dist/Data/"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cd "$dist" && exec wine quoxel.exe
fi

source "$here/display.sh"
start_display
(cd "$dist" && wine quoxel.exe </dev/null >/dev/null 2>&1) &
quoxel=$!
probe=$build_root/win/winprobe.exe
wine "$probe" wait "Quoxel 1.0" 30000 || { echo "Quoxel's window did not appear" >&2; exit 1; }
sleep 1
import -window root "$dist/quoxel-screenshot.png"
wine "$probe" close "Quoxel 1.0"
wait "$quoxel"
echo "Quoxel ran in a virtual display (no display was set). Screenshot: $dist/quoxel-screenshot.png"
