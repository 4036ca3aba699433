#!/usr/bin/env bash
# Fetches Debian's libjpeg-turbo source package with a private apt configuration
# (the machine's own apt set-up is never touched) and builds it as a static
# library with the given toolchain: MinGW-w64 with SIMD for the program; further
# arguments are CMake options that override those (fuzz.sh builds it with
# coverage and without SIMD). The result is cached: a second call returns at once.
#
#   build-libjpeg-turbo.sh <cache-dir> <toolchain-file> [cmake options...]
#
# Leaves <cache-dir>/install/{include,lib/libjpeg.a}.
set -euo pipefail

cache=$(realpath -m "$1")
toolchain=$(realpath "$2")
install="$cache/install"

[ -f "$install/lib/libjpeg.a" ] && [ -f "$install/include/jpeglib.h" ] && exit 0

mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
# Another build may have finished it while we waited for the lock.
[ -f "$install/lib/libjpeg.a" ] && [ -f "$install/include/jpeglib.h" ] && exit 0

apt_dir="$cache/apt"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
cat > "$apt_dir/sources.list.d/debian-src.sources" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
apt_opts=(-o Dir::Etc::sourcelist=/dev/null
          -o Dir::Etc::sourceparts="$apt_dir/sources.list.d"
          -o Dir::State::Lists="$apt_dir/lists"
          -o APT::Sandbox::User=root)

src_root="$cache/src"
rm -rf "$src_root"
mkdir -p "$src_root"
echo "libjpeg-turbo: fetching Debian's source package"
apt-get "${apt_opts[@]}" -qq update
(cd "$src_root" && apt-get "${apt_opts[@]}" -qq source --download-only libjpeg-turbo)
(cd "$src_root" && dpkg-source -x --no-check libjpeg-turbo_*.dsc tree >/dev/null 2>&1)

echo "libjpeg-turbo: building the static library with $(basename "$toolchain")"
cmake -S "$src_root/tree" -B "$cache/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$install" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DWITH_TURBOJPEG=OFF \
  -DCMAKE_ASM_NASM_COMPILER=/usr/bin/nasm "${@:3}" >"$cache/configure.log" 2>&1 \
  || { tail -30 "$cache/configure.log" >&2; exit 1; }
cmake --build "$cache/build" --target jpeg-static >"$cache/build.log" 2>&1 \
  || { tail -30 "$cache/build.log" >&2; exit 1; }

mkdir -p "$install/lib" "$install/include"
cp "$cache/build/libjpeg.a" "$install/lib/"
for h in jpeglib.h jmorecfg.h jerror.h; do cp "$src_root/tree/$h" "$install/include/"; done
cp "$cache/build/jconfig.h" "$install/include/"
echo "libjpeg-turbo: ready in $install"
