# Shared set-up for scripts/run and scripts/test: install what is missing, then configure
# and build with CMake and Ninja. Sourced, not run.
set -euo pipefail

ONDEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ONDEL_BUILD=${ONDEL_BUILD:-$ONDEL_ROOT/build}

# Everything the build, the program and the tests need on Debian 12.
ONDEL_PACKAGES=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
    # Reading aloud; the speech header includes QtQmlIntegration, which only
    # qt6-declarative-dev ships.
    qt6-speech-dev qt6-declarative-dev libqt6texttospeech6 qt6-speech-flite-plugin
    libgif-dev libbenchmark-dev clang libclang-rt-14-dev
    fonts-wine fonts-liberation fonts-dejavu-core fonts-dejavu-extra
    xvfb xauth x11-utils xdotool imagemagick libxcb1-dev
    cups cups-bsd printer-driver-cups-pdf poppler-utils
    pulseaudio pulseaudio-utils
    dbus-x11 at-spi2-core python3-pyatspi
    libfontconfig-dev libsodium-dev dpkg-dev lintian desktop-file-utils appstream
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${ONDEL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
}

# The desktops the end-to-end tests run under (with KDE's usual window decoration), and
# Wayland with XWayland; for scripts/test, without all that full desktops recommend.
ONDEL_DESKTOP_PACKAGES=(
    mutter metacity xfwm4 openbox kwin-x11 kwin-style-breeze dbus-x11
    weston xwayland qt6-wayland
)

ensure_test_desktops() {
    local missing=()
    for p in "${ONDEL_DESKTOP_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            "${missing[@]}"
    fi
}

# configure_and_build <build dir> [cmake options...] -- [targets...]
# A build dir is configured once, with the options of its first use; build/ always takes the
# defaults, so scripts/run and scripts/test share it in either order.
configure_and_build() {
    local dir=$1; shift
    local opts=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do opts+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    targets=("$@")
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ONDEL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${opts[@]}"
    fi
    if [ ${#targets[@]} -gt 0 ]; then
        cmake --build "$dir" --target "${targets[@]}"
    else
        cmake --build "$dir"
    fi
}
