#!/usr/bin/env bash
# Builds the packages a Windows user downloads, in build/package/ (or OUTPUT_FOLDER), and prints their
# paths: quoxel-<version>-win32.zip (the 32-bit program) and quoxel-<version>-win64.zip (the 64-bit
# one), each with quoxel.exe, its Data folder, a README.txt and the licences of the libraries it
# contains. The same commit gives the same bytes: the programs are built without link time or build
# folder in them, and every entry of an archive has the commit's time, fixed attributes and a fixed place.
#   scripts/package.sh [--no-setup | --no-build] [--win32 | --win64] [OUTPUT_FOLDER]
#     --no-setup  build, but skip installing the packages (they are there already)
#     --no-build  package the programs already built in the build folders
#     --win32, --win64  only that package
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

step=all
case ${1:-} in
  --no-setup | --no-build) step=${1#--}; shift ;;
esac
kinds=(win32 win64)
case ${1:-} in
  --win32 | --win64) kinds=("${1#--}"); shift ;;
esac
out=${1:-$build_root/package}

if [ "$step" = all ]; then "$here/setup.sh"; fi
if [ "$step" != no-build ]; then
  for kind in "${kinds[@]}"; do "$here/build.sh" "--$kind" --target quoxel >/dev/null; done
fi

# The version as app/Version.h spells it, through the same preprocessor the resource script uses.
version=$(printf '#include "app/Version.h"\nQUOXEL_VERSION_TEXT\n' |
  i686-w64-mingw32-cpp -P -I"$repo_root" - | tr -d '" \n')
[[ $version =~ ^[0-9]+\.[0-9]+$ ]] || { echo "package: no version in app/Version.h (got '$version')" >&2; exit 1; }
# Every entry carries the time of the commit (or SOURCE_DATE_EPOCH), never the time of the build.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$repo_root" log -1 --format=%ct 2>/dev/null || echo 315532800)}

mkdir -p "$out"
readme=$(mktemp)
trap 'rm -f "$readme"' EXIT
cat >"$readme" <<EOF
Quoxel $version - everyday PC tools in one window

Quoxel gathers small everyday tools behind one tabbed window and an icon in the
notification area: a drive inspector with a largest-files search and a low-space
alert, a temporary-file cleaner, a software catalogue, an alarm clock, a batch
file renamer, a timed shutdown, a random wallpaper changer, and a process list
with system figures.

Getting started
  Unzip this archive into any folder (your Documents, a USB stick, ...) and run
  quoxel.exe. There is nothing to install. Starting quoxel.exe again while it
  runs brings its window to the front, also when it is hidden in the
  notification area.

Removing Quoxel
  If you ticked "Start with Windows" in the menu of Quoxel's icon in the
  notification area, untick it first: it is the one thing Quoxel keeps outside
  its folder. Then exit Quoxel and delete its folder.

Which download
  quoxel-$version-win64.zip is the one for 64-bit Windows: Windows 10 and 11
  are 64-bit on almost every PC. quoxel-$version-win32.zip is for 32-bit
  Windows. Both hold the same tools; Settings > System > About shows which
  system type a PC has.

The icon in the notification area
  Its menu has two options, both off until you tick them:
  - "Start with Windows" starts Quoxel hidden in the notification area when you
    sign in. It writes one value, named "Quoxel-" and a number for this folder,
    under HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run;
    unticking removes it.
  - "Remember settings" keeps the low-space alert, the alarm, the timed
    shutdown's time, the number of largest files and the renamer's pattern in
    Data\settings.ini, and takes them back at the next start (a timed shutdown
    is never armed again by itself). Unticking deletes the file.

Where its files are
  quoxel.exe          the program
  Data\trusted.txt    the processes you trust (ticked on "PC Administrating")
  Data\soft.txt       the software catalogue ("Software List")
  Data\soft.ini       the catalogue's download links
  Data\wp.txt         your wallpaper list, written when Quoxel ends after a change
  Data\settings.ini   your settings, while "Remember settings" is ticked
  licences\           the licences of the libraries in quoxel.exe

Quoxel keeps its files only in its own Data folder and writes in the registry
only the value of "Start with Windows". Besides that it changes only what you
ask it to: the files you rename, the temporary files you remove, a search's
results you save, the desktop wallpaper you set (a JPEG picture gets a bitmap
copy beside it, which Windows needs for a wallpaper).

The timed shutdown warns you first: at its time a small window counts 60
seconds down, with "Shut down now", "Postpone 10 minutes" and "Cancel". It
does not take the keyboard from the program you are typing in; click it to use
its keys.

"Update software-list" downloads the catalogue from https://www.quoxel.net.

Libraries
  quoxel.exe contains libjpeg-turbo (JPEG pictures), libpng (PNG pictures) and
  zlib (compression); their licences are in the licences folder.
  This software is based in part on the work of the Independent JPEG Group.
EOF

# The Data folder as the build made it, with the files of data/ and nothing the program wrote there.
package() { # zip kind (win32, win64), build folder, libraries' prefix
  local zip=$out/quoxel-$version-$1.zip exe=$build_root/$2/quoxel.exe licences=$build_root/deps/$3/share/licences name
  [ -f "$exe" ] || { echo "package: $exe is not built" >&2; exit 1; }
  # The licence texts build-deps.sh keeps beside the libraries it built.
  for name in libjpeg-turbo libpng zlib; do
    [ -f "$licences/$name.txt" ] ||
      { echo "package: $licences/$name.txt is missing (run scripts/build-deps.sh)" >&2; exit 1; }
  done
  python3 - "$zip" "$epoch" "$exe" "$readme" "$build_root/$2/Data" "$repo_root/data" "$licences" <<'PY'
import os, sys, time, zipfile
zip_path, epoch, exe, readme, data, shipped, licences = sys.argv[1], int(sys.argv[2]), *sys.argv[3:]
# Zip times are local-free calendar fields with two-second steps, from 1980 on.
stamp = time.gmtime(max(epoch, 315532800))[:6]

def entry(name, is_folder=False):
    info = zipfile.ZipInfo(name, stamp)
    info.create_system = 0  # MS-DOS attributes only: no Unix owner or mode from this machine
    info.external_attr = 0x10 if is_folder else 0x20  # folder; archive
    info.compress_type = zipfile.ZIP_STORED if is_folder else zipfile.ZIP_DEFLATED
    return info

def windows_text(path):
    with open(path, "rb") as f:
        return f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")

tmp = zip_path + ".new"
with zipfile.ZipFile(tmp, "w") as archive:
    with open(exe, "rb") as f:
        archive.writestr(entry("quoxel.exe"), f.read(), compresslevel=9)
    archive.writestr(entry("README.txt"), windows_text(readme), compresslevel=9)
    archive.writestr(entry("Data/", True), b"")
    for name in sorted(os.listdir(shipped)):
        with open(os.path.join(data, name), "rb") as f:
            archive.writestr(entry("Data/" + name), f.read(), compresslevel=9)
    archive.writestr(entry("licences/", True), b"")
    for name in ("libjpeg-turbo.txt", "libpng.txt", "zlib.txt"):
        archive.writestr(entry("licences/" + name), windows_text(os.path.join(licences, name)), compresslevel=9)
os.replace(tmp, zip_path)
PY
  echo "$zip"
}

for kind in "${kinds[@]}"; do
  case $kind in
    win32) package win32 win prefix ;;
    win64) package win64 win64 prefix-x86_64 ;;
  esac
done
