#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing,
# and any further packages named as arguments (a script's own extras, such as
# clang for fuzzing). Safe to run again; does nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  nasm dpkg-dev
  googletest libjpeg62-turbo-dev
  wine64 xvfb xauth xdotool x11-utils xserver-xephyr
  imagemagick librsvg2-bin fonts-dejavu-core fonts-wine
  fp-utils
  cups printer-driver-cups-pdf poppler-utils
  "$@"
)

# The packaging tools (scripts/package.sh and its test): where they cannot be
# installed, the rest still is, and the package test skips itself.
optional=(nsis zip unzip)

missing=()
for p in "${packages[@]}" "${optional[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
    echo "install-deps: these packages are missing and I am not root: ${missing[*]}" >&2
    exit 1
  fi
else
  SUDO=
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
required=()
for p in "${missing[@]}"; do
  [[ " ${optional[*]} " == *" $p "* ]] || required+=("$p")
done
if [ ${#required[@]} -gt 0 ]; then
  $SUDO apt-get install -y -qq --no-install-recommends "${required[@]}" >/dev/null
fi
if [ ${#required[@]} -lt ${#missing[@]} ]; then
  $SUDO apt-get install -y -qq --no-install-recommends "${optional[@]}" >/dev/null ||
    echo "install-deps: the packaging tools (${optional[*]}) could not be installed: no setup or zip can be made and their test skips itself" >&2
fi
