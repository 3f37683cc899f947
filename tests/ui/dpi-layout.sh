#!/usr/bin/env bash
# The window's layout at 120, 144 and 192 DPI: the layout tests run in a Wine prefix of their own whose
# DPI (LogPixels) is set before each run; at 144 DPI the program itself is also started and each of its
# pages photographed (WORK/page<N>-144.png, Home first).
# Arguments: the window-test program, quoxel.exe, winprobe.exe, a work folder.
set -u
tests=$1
probe=$3
work=$4
shots=$work  # start_quoxel takes $work for the program's own folder
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scripts=$here/../../scripts
mkdir -p "$work"
source "$scripts/env.sh"
export WINEPREFIX=$work/prefix
"$scripts/wine-prefix.sh" || exit 1

status=0
for dpi in 120 144 192; do
  # The window at 192 DPI (1196 x 836 inside) is larger than the usual 1024 x 768 desktop, which would
  # hold it smaller: that run has a desktop of twice the size, beyond the display's edges.
  desktop=1024x768
  [ "$dpi" = 192 ] && desktop=2048x1536
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  echo "== $dpi DPI"
  QUOXEL_TEST_DPI=$dpi "$scripts/wine-test-run.sh" "$tests" --gtest_filter='LayoutScale.*' || status=1
  if [ "$dpi" = 144 ]; then
    source "$here/../e2e/quoxel-run.sh"
    if start_quoxel "$2" "$work/quoxel-144"; then
      sleep 1
      pages=$(wine "$probe" tabs "$caption" | wc -l)
      [ "$pages" -gt 1 ] || { echo "dpi-layout: the window lists no tabs" >&2; status=1; }
      for ((page = 0; page < pages; page++)); do
        [ "$page" = 0 ] || wine "$probe" tab "$caption" "$page"
        sleep 1
        import -window root "$shots/page$page-144.png" && echo "dpi-layout: screenshot $shots/page$page-144.png"
      done
      wine "$probe" close "$caption"
      [ "$(quoxel_exit_code)" = 0 ] || { echo "dpi-layout: quoxel.exe did not end cleanly at 144 DPI" >&2; status=1; }
    else
      status=1
    fi
  fi
done
wineserver -k >/dev/null 2>&1
exit "$status"
