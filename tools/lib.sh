# Shared by the run, test and bench scripts: packages, builds and the private Wine prefix.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEPREFIX="${VELMORA_WINEPREFIX:-$BUILD/wineprefix}"
export WINEDEBUG=-all
# Never offer to download Mono or Gecko on the first start of a prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_SCREEN="-screen 0 1280x1024x24"

# Debian packages the project builds and tests with. wine32:i386 is the 32-bit loader that runs
# the x86 build; fonts-wine (only recommended by wine) holds the fonts copied into the prefix;
# clang and libclang-rt-14-dev (libFuzzer and the sanitizers) build the native fuzzer; clang and
# llvm (llvm-rc) check what the native Windows build compiles.
VELMORA_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils
  googletest nlohmann-json3-dev
  imagemagick
  clang libclang-rt-14-dev llvm
)

# What the scripts and the build use from outside the repository, each with the package of
# VELMORA_PACKAGES it comes from: "command NAME PACKAGE" or "path FILE PACKAGE" (a file: folders
# are shared by many packages). tools/check-setup proves each is there and owned by that package
# or by what the package depends on.
VELMORA_NEEDS=(
  "command cmake cmake" "command ctest cmake" "command cpack cmake"
  "command ninja ninja-build"
  "command x86_64-w64-mingw32-gcc-posix g++-mingw-w64-x86-64-posix"
  "command x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix"
  "command x86_64-w64-mingw32-windres g++-mingw-w64-x86-64-posix"
  "command x86_64-w64-mingw32-strip g++-mingw-w64-x86-64-posix"
  "command i686-w64-mingw32-gcc-posix g++-mingw-w64-i686-posix"
  "command i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix"
  "command i686-w64-mingw32-windres g++-mingw-w64-i686-posix"
  "command i686-w64-mingw32-strip g++-mingw-w64-i686-posix"
  "path /usr/x86_64-w64-mingw32/include/windows.h g++-mingw-w64-x86-64-posix"
  "path /usr/i686-w64-mingw32/include/windows.h g++-mingw-w64-i686-posix"
  "command wine wine" "command wineboot wine" "command wineserver wine" "command regedit wine"
  "path /usr/lib/wine/wine64 wine64"
  "path /usr/lib/wine/wine wine32:i386"
  "path /usr/share/wine/fonts/sserife.fon fonts-wine"
  "command xvfb-run xvfb" "command Xvfb xvfb" "command xauth xauth"
  "command xwininfo x11-utils"
  "command import imagemagick"
  "path /usr/src/googletest/CMakeLists.txt googletest"
  "path /usr/include/nlohmann/json.hpp nlohmann-json3-dev"
  "command clang++ clang" "command clang clang" "command llvm-rc llvm"
  "path /usr/share/mingw-w64/include/windows.h g++-mingw-w64-x86-64-posix"
  "fuzzer-runtime libclang_rt.fuzzer-x86_64.a libclang-rt-14-dev"
)

note() { printf '==> %s\n' "$*" >&2; }

# Whether this machine runs 32-bit programs. Some kernels refuse them ("Exec format error"),
# and Debian's wine command starts every program through the 32-bit loader once that is
# installed, so there nothing would start at all.
velmora_runs_i386() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Where 32-bit programs cannot run, Wine is started through its 64-bit loader (the commands
# wine and wine-stable that wineboot, regedit and the scripts call are pointed at it): the x64
# build runs and is tested, the x86 build is built but its tests cannot run.
velmora_choose_loader() {
  [ -n "${VELMORA_LOADER_CHOSEN:-}" ] && return 0
  # Decided once both loaders are installed (the set-up installs them).
  [ -x /usr/lib/wine/wine64 ] && [ -e /usr/lib/wine/wine ] || return 0
  if ! velmora_runs_i386; then
    # Scripts, not links: the loader finds its preloader beside the name it was started by.
    local shim="$BUILD/wine64-loader" name
    mkdir -p "$shim"
    for name in wine wine-stable; do
      rm -f "$shim/$name"
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$name"
      chmod +x "$shim/$name"
    done
    export WINELOADER=/usr/lib/wine/wine64 PATH="$shim:$PATH" VELMORA_NO_I386=1
  fi
  export VELMORA_LOADER_CHOSEN=1
}
velmora_choose_loader

# Whether a package (name or name:arch) is installed.
velmora_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs whatever of VELMORA_PACKAGES is missing, then checks that everything the scripts use
# is there.
velmora_setup() {
  # Once per command: the fuzz script run by the test script finds it done.
  [ -n "${VELMORA_SETUP_DONE:-}" ] && return 0
  local missing=() pkg
  for pkg in "${VELMORA_PACKAGES[@]}"; do
    velmora_installed "$pkg" || missing+=("$pkg")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
      if command -v sudo >/dev/null; then sudo="sudo"; else
        echo "error: these Debian packages are missing and there is no sudo to install them:" >&2
        echo "  ${missing[*]}" >&2
        return 1
      fi
    fi
    local apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get)
    # The 32-bit Wine loader is an i386 package.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      note "adding the i386 architecture for the 32-bit Wine"
      $sudo dpkg --add-architecture i386
    fi
    note "installing ${missing[*]}"
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  "$ROOT/tools/check-setup" || return 1
  velmora_choose_loader
  export VELMORA_SETUP_DONE=1
}

# Configures (once) and builds one preset.
velmora_build() {
  local preset=$1
  if [ ! -f "$BUILD/$preset/build.ninja" ]; then
    note "configuring $preset"
    cmake --preset "$preset" -S "$ROOT" >/dev/null
  fi
  note "building $preset"
  cmake --build --preset "$preset"
}

# Makes the distributable zip of a built preset (build/<preset>/Velmora-1.0.0-<arch>.zip).
velmora_package() {
  local preset=$1
  (cd "$BUILD/$preset" && cpack -G ZIP --config CPackConfig.cmake >/dev/null) || return 1
  note "packaged $(ls "$BUILD/$preset"/Velmora-*.zip)"
}

# Creates the private Wine prefix on first use and applies the project's settings to it.
velmora_prefix() {
  # Stamp 5: prefixes are made with both the 64-bit and the 32-bit loader installed (a WoW64
  # prefix). One made before the 32-bit Wine came cannot start anything afterwards.
  # One made by the 64-bit loader alone has no 32-bit side: it is made again where 32-bit
  # programs run.
  local stamp="$WINEPREFIX/.velmora-prefix-5${VELMORA_NO_I386:+-x64-only}"
  [ -f "$stamp" ] && return 0
  note "preparing the Wine prefix $WINEPREFIX"
  if compgen -G "$WINEPREFIX/.velmora-prefix-*" >/dev/null; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  xvfb-run -a -s "$XVFB_SCREEN" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    echo "error: wineboot did not make a prefix that runs 64-bit and 32-bit programs in $WINEPREFIX" >&2
    echo "  (it needs the packages wine64 and wine32:i386; tools/check-setup tells what is missing)" >&2
    return 1
  fi
  # Debian's Wine does not find its bundled fonts; without them "MS Sans Serif" and the
  # caption-button glyphs fall back to other faces.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  local reg="$WINEPREFIX/velmora-settings.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060
REG
  # Under Xvfb no window manager answers, and Wine waits two seconds for one whenever a
  # managed window is hidden: the test programs make their windows unmanaged.
  local exe
  for exe in platform_tests.exe control_tests.exe app_tests.exe e2e_tests.exe; do
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\n"Managed"="N"\n' \
      "$exe" >>"$reg"
  done
  xvfb-run -a -s "$XVFB_SCREEN" wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

# Runs ctest for a preset under Xvfb. Each prefix the tests use keeps one Wine server, with
# Wine's own services, for the whole run: otherwise every test program waits for them to start
# again, seconds each. The services are started first, by a program whose output goes nowhere
# (started by a test, they would hold ctest's output open); the servers stop when ctest ends.
velmora_ctest() {
  local prefixes=("$WINEPREFIX" "$BUILD/wineprefix-144" "$BUILD/wineprefix-192") code=0
  # shellcheck disable=SC2016
  xvfb-run -a -s "$XVFB_SCREEN" bash -c '
    for p in "${@:2:3}"; do
      [ ! -d "$p" ] || { WINEPREFIX="$p" wineserver -p && WINEPREFIX="$p" wine cmd /c exit 0; } \
        </dev/null >/dev/null 2>&1
    done
    ctest --preset "$1" "${@:5}"' ctest "$1" "${prefixes[@]}" "${@:2}" || code=$?
  local p
  for p in "${prefixes[@]}"; do [ ! -d "$p" ] || WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  return $code
}

# A copy of the prefix whose screen has another DPI (build/wineprefix-<dpi>), for the tests
# and screenshots at 150 % and 200 %.
velmora_prefix_dpi() {
  local dpi=$1 base="$WINEPREFIX"
  local target="$BUILD/wineprefix-$dpi"
  [ -f "$target/.velmora-dpi-$dpi-$(basename "$(ls "$base"/.velmora-prefix-* | head -1)")" ] && return 0
  note "preparing the Wine prefix at $dpi DPI"
  wineserver -w
  rm -rf "$target"
  cp -a "$base" "$target"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi" \
    >"$target/velmora-dpi.reg"
  WINEPREFIX="$target" xvfb-run -a -s "$XVFB_SCREEN" wine regedit /S "$target/velmora-dpi.reg" >/dev/null 2>&1
  WINEPREFIX="$target" wineserver -w
  touch "$target/.velmora-dpi-$dpi-$(basename "$(ls "$base"/.velmora-prefix-* | head -1)")"
}
