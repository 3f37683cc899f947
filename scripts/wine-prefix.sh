#!/usr/bin/env bash
# Creates the Wine prefix in the build tree: Debian's Wine fonts on the font path, a virtual desktop,
# which gives a taskbar with a notification area and window captions under Xvfb, and Windows' default
# for keyboard cues (access keys underlined only once Alt is pressed; Wine's default underlines always).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

stamp=$WINEPREFIX/.quoxel-prefix-ready-2  # the number grows with each setting added, so older prefixes get it
[ -f "$stamp" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts' /v Path /t REG_SZ /d 'Z:\usr\share\wine\fonts' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# Wine's default mask with the keyboard-cues bit (0x20 of the first byte) cleared.
wine reg add 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY /d 1000028012000000 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
echo "Wine prefix ready: $WINEPREFIX"
