# Shared by the run, test and bench scripts: packages, builds and the private Wine prefix.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEPREFIX="${VELMORA_WINEPREFIX:-$BUILD/wineprefix}"
export WINEDEBUG=-all
# Never offer to download Mono or Gecko on the first start of a prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_SCREEN="-screen 0 1280x1024x24"

# Debian packages the project builds and tests with.
VELMORA_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb xauth x11-utils
  googletest nlohmann-json3-dev
  imagemagick
)

note() { printf '==> %s\n' "$*" >&2; }

# Installs whatever of VELMORA_PACKAGES is missing.
velmora_setup() {
  local missing=() pkg
  for pkg in "${VELMORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo="sudo"; else
      echo "error: these Debian packages are missing and there is no sudo to install them:" >&2
      echo "  ${missing[*]}" >&2
      return 1
    fi
  fi
  note "installing ${missing[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
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
  local stamp="$WINEPREFIX/.velmora-prefix-4"
  [ -f "$stamp" ] && return 0
  note "preparing the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  xvfb-run -a -s "$XVFB_SCREEN" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
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
