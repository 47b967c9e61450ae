# The Debian packages each task needs, and the helper that installs the missing ones.
BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev
                libbenchmark-dev qt6-base-dev libxcb1-dev libjpeg-dev fonts-dejavu-core
                poppler-utils xvfb xauth xdotool
                bash-completion desktop-file-utils appstream dpkg-dev file lintian)
FUZZ_PACKAGES=(clang lld libclang-rt-14-dev)
BENCH_PACKAGES=(time)

install_missing_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
}

# Some test programs run again under a C library locale with a decimal comma, as the desktop
# toolkit sets the user's; this makes it when the machine lacks it.
install_test_locale() {
  install_missing_packages locales
  locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Generating the locale de_DE.UTF-8"
  "${sudo[@]}" localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
}
