# Sourced by the Wine helpers: one private prefix per build folder, quiet, no
# Mono or Gecko prompts. WINE_BUILD_DIR names the build folder.
: "${WINE_BUILD_DIR:?WINE_BUILD_DIR must name the build folder}"
export WINEPREFIX="${WINE_PREFIX_DIR:-$WINE_BUILD_DIR/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export PATH="/usr/lib/wine:$PATH"
# MinGW's runtime DLLs, for tools built by other projects that were not linked statically.
export WINEPATH='Z:\usr\x86_64-w64-mingw32\lib'
