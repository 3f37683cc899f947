# Shared settings of the build and test scripts; sourced, not run.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${QUOXEL_BUILD_DIR:-$repo_root/build}
export WINEPREFIX=${WINEPREFIX:-$build_root/wineprefix}
export WINEARCH=${WINEARCH:-win64}
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop menus or file types in the home folder (winemenubuilder): the prefix stays all there is.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine's URL layer honours a proxy; everything the program fetches in tests is on this machine.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
export no_proxy=127.0.0.1,localhost
