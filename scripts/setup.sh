# Shared by scripts/test and scripts/run: install what is missing, then
# configure and build; and the sanitizer run of scripts/test. Sourced, not run.

PAPERWISP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PAPERWISP_BUILD=${PAPERWISP_BUILD:-$PAPERWISP_ROOT/build}
PAPERWISP_PACKAGES=(g++ cmake ninja-build libgtest-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good unrtf
  libdbd-xbase-perl python3-dbfread fp-compiler fp-units-db clang-format desktop-file-utils
  appstream man-db xvfb xauth openbox wmctrl xdotool x11-utils libical-dev libsqlite3-dev xpad
  mutter weston xwayland qt6-wayland dbus python3-dbus python3-gi libglib2.0-bin
  libsecret-1-dev radicale apache2-utils python3-caldav python3-icalendar)

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

# Every C++ file laid out as .clang-format says; each file that differs is
# named with its first differences, and the check fails.
paperwisp_format_check() {
  (cd "$PAPERWISP_ROOT" &&
    find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 clang-format --dry-run --Werror)
}

# No #include reaches a layer above the including file's (scripts/check-layers).
paperwisp_layer_check() {
  "$PAPERWISP_ROOT/scripts/check-layers"
}

paperwisp_build() {
  cmake -S "$PAPERWISP_ROOT" -B "$PAPERWISP_BUILD" -G Ninja && cmake --build "$PAPERWISP_BUILD" -j2
}

# The tests that feed random, mutated or damaged input to the engine, run
# under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer in
# a Debug build of the engine tests beside the normal build.
PAPERWISP_SANITIZED_TESTS='*Fuzz*:*Mutat*:*Damage*:*Differential*'

paperwisp_sanitizer_tests() {
  local build="$PAPERWISP_BUILD-asan"
  local flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
  cmake -S "$PAPERWISP_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    -DCMAKE_SHARED_LINKER_FLAGS="$flags" &&
    cmake --build "$build" -j2 --target paperwisp_engine_tests &&
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      "$build/tests/paperwisp_engine_tests" --gtest_filter="$PAPERWISP_SANITIZED_TESTS"
}
