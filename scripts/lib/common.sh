# Shared by the scripts: installs what a fresh Debian machine lacks and
# knows how to reach a virtual display.
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"

# Debian packages the build and the tests need. wine32 is left out on
# purpose: with it installed, wine cannot start on a kernel without 32-bit
# support.
required_packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick fonts-wqy-microhei locales
  googletest libbenchmark-dev
)

ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
    --no-install-recommends "${missing[@]}" >/dev/null
}

ensure_chinese_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
}

ensure_build_tools() {
  ensure_packages "${required_packages[@]}"
  ensure_chinese_locale
}

configure_and_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

# Runs a command on a private virtual display big enough for the window.
on_virtual_display() {
  xvfb-run -a -s '-screen 0 1280x1024x24 -nolisten tcp' "$@"
}
