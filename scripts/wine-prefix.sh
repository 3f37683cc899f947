#!/usr/bin/env bash
# Creates the Wine prefix in the build tree: Debian's Wine fonts on the font path, and a virtual desktop,
# which gives a taskbar with a notification area and window captions under Xvfb.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

stamp=$WINEPREFIX/.quoxel-prefix-ready
[ -f "$stamp" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts' /v Path /t REG_SZ /d 'Z:\usr\share\wine\fonts' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
echo "Wine prefix ready: $WINEPREFIX"
