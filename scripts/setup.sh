# Shared by scripts/test and scripts/run: install what is missing, then
# configure and build. Sourced, not run.

PAPERWISP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PAPERWISP_BUILD=${PAPERWISP_BUILD:-$PAPERWISP_ROOT/build}
PAPERWISP_PACKAGES=(g++ cmake ninja-build libgtest-dev libbenchmark-dev)

paperwisp_install_packages() {
  local missing=()
  local package
  for package in "${PAPERWISP_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing ${missing[*]}"
  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

paperwisp_build() {
  cmake -S "$PAPERWISP_ROOT" -B "$PAPERWISP_BUILD" -G Ninja && cmake --build "$PAPERWISP_BUILD" -j2
}
