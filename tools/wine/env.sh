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

# Debian's Wine does not look for its own fonts (package fonts-wine, in
# /usr/share/wine/fonts): without them the title-bar buttons are drawn as
# the letters "0 1 r" and dialogs take a stand-in font. The prefix gets a
# copy in its Windows font folder, where every Wine finds them.
wine_install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
  cp -n /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.ttc "$fonts/" 2>/dev/null || true
}
