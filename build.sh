#!/usr/bin/env bash
# One entry point for a fresh Debian machine: installs what is missing, then
#   ./build.sh run [FILE.ibg]   builds and opens the viewer (on an example by default)
#   ./build.sh test             builds with sanitizers and runs every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core locales
)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

command=${1:-}
case "$command" in
run)
    install_missing
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DVELANTRO_TESTS=OFF
    file=${2:-examples/dvd-verify.ibg}
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec build/release/src/app/velantro "$file"
    fi
    echo "No display here, so no window can open. This is what Velantro reads from $file"
    echo "(the same as: build/release/src/app/velantro --info $file):"
    echo
    exec build/release/src/app/velantro --info "$file"
    ;;
test)
    install_missing
    configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DVELANTRO_SANITIZE=ON -DVELANTRO_TESTS=ON
    cd build/test
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
    ;;
*)
    echo "usage: ./build.sh run [FILE.ibg] | ./build.sh test" >&2
    exit 2
    ;;
esac
