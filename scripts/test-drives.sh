#!/usr/bin/env bash
# Gives the test Wine prefix three scratch drives backed by folders of the build tree: Q: fixed, with a
# known set of files (sparse where large), R: removable and S: CD-ROM. Run before the wineserver that
# the tests use starts, so that the drive types are read afresh.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

drives=$build_root/testdrives
stamp=$WINEPREFIX/.quoxel-test-drives
[ -f "$stamp" ] && [ -L "$drives/fixed/links/up" ] && exit 0

rm -rf "$drives"
mkdir -p "$drives/fixed/sub/deeper" "$drives/fixed/.hidden" "$drives/fixed/links" "$drives/removable" "$drives/cdrom"
(
  cd "$drives/fixed"
  truncate -s 1073741824 big.bin        # exactly 1 GiB
  truncate -s 1073741823 under.bin      # one byte less
  truncate -s 2147483648 .secret.bin    # a hidden file counts
  truncate -s 1048576 mb.bin
  truncate -s 1048575 kb.bin
  truncate -s 512 half.bin
  : >empty.bin
  truncate -s 3000000 sub/deeper/deep.bin
  truncate -s 100 sub/small.bin
  truncate -s 5368709120 .hidden/huge.bin  # a hidden folder is never searched
  printf '1a2b3c4d\n' >.windows-serial    # Wine's volume serial number for the drive
  ln -s . links/self1                     # loops: a search must still end and list each file once
  ln -s . links/self2
  ln -s .. links/up
)
ln -sfn "$drives/fixed" "$WINEPREFIX/dosdevices/q:"
ln -sfn "$drives/removable" "$WINEPREFIX/dosdevices/r:"
ln -sfn "$drives/cdrom" "$WINEPREFIX/dosdevices/s:"
# Wine 8 reports a "removable" folder drive as fixed; "floppy" gives the removable type.
wine reg add 'HKLM\Software\Wine\Drives' /v 'r:' /d floppy /f /reg:64 >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Drives' /v 's:' /d cdrom /f /reg:64 >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
wineserver -w
touch "$stamp"
