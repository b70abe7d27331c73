#!/usr/bin/env bash
# One entry point for a fresh Debian machine: installs what is missing, then
#   ./build.sh run [FILE.ibg]   builds and opens the viewer (on an example by default)
#   ./build.sh test             builds with sanitizers and runs every test, the page's in
#                               a headless browser too
#   ./build.sh web              builds the browser page into build/web
#   ./build.sh package          builds the Debian package, checks it with lintian, installs
#                               it and checks that it runs
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    xvfb xauth fonts-dejavu-core fonts-dejavu-extra locales
    dpkg-dev file strace time lintian appstream man-db bubblewrap
    clang libclang-rt-14-dev
)

# The page: the core compiled to WebAssembly, and a browser to test it in.
web_packages=(
    emscripten libfmt-dev libfast-float-dev nlohmann-json3-dev chromium firefox-esr webkit2gtk-driver
)

# With "web", what the page's build and its browser test need too.
install_missing() {
    local missing=() wanted=("${packages[@]}")
    if [ "${1:-}" = web ]; then
        wanted+=("${web_packages[@]}")
        # A node from elsewhere brings its own npm, which Debian's would replace.
        command -v node >/dev/null || missing+=(nodejs)
        command -v npm >/dev/null || missing+=(npm)
    fi
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

# The tests read numbers and show readouts under a decimal-comma locale too.
install_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
}

configure_and_build() {
    local dir=$1
    shift
    # Rebuilds in several checkouts share one cache where ccache is installed.
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache) && export CCACHE_BASEDIR="$PWD"
    cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# Debian's emscripten runs on Debian's JavaScript modules, wherever node came from.
build_web() {
    export NODE_PATH=/usr/share/nodejs
    emcmake cmake -S . -B build/web-build -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DVELANTRO_WEB_OUTPUT="$PWD/build/web" >/dev/null
    cmake --build build/web-build --parallel "$(nproc)"
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
    build/release/src/app/velantro --info "$file"
    echo
    echo "To see the window as a picture: build/release/src/app/velantro --export shot.png $file"
    ;;
test)
    install_missing web
    install_locale
    build_web
    # The browser test's driver, as its lock file pins it; it never downloads a browser.
    if [ ! tests/web/node_modules/.package-lock.json -nt tests/web/package-lock.json ]; then
        (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
    fi
    configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DVELANTRO_SANITIZE=ON -DVELANTRO_TESTS=ON \
        -DVELANTRO_WEB_PAGE="$PWD/build/web"
    cd build/test
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
    ;;
web)
    install_missing web
    build_web
    echo "The page is in build/web; serve it with: python3 -m http.server -d build/web"
    ;;
package)
    install_missing
    # Debian's hardening flags, as a Debian build of the package would use.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DVELANTRO_TESTS=OFF \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
    rm -f build/release/velantro_*.deb
    (cd build/release && cpack -G DEB >/dev/null)
    deb=$(ls build/release/velantro_*.deb)
    # Errors and warnings fail the build.
    lintian_report=$(lintian --fail-on error,warning "$deb" 2>&1) || {
        echo "$lintian_report" >&2
        exit 1
    }
    appstreamcli validate --no-net packaging/org.velantro.velantro.metainfo.xml
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --reinstall "./$deb" </dev/null >/dev/null
    # What the package installed, not what the build folder holds.
    check=$(mktemp -d)
    trap 'rm -rf "$check"' EXIT
    /usr/bin/velantro --version
    /usr/bin/velantro --info examples/dvd-verify.ibg >"$check/info.txt"
    grep -q '^Sections: write+verify$' "$check/info.txt"
    env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/velantro --export "$check/shot.png" examples/dvd-verify.ibg
    file "$check/shot.png" | grep -q 'PNG image data, 705 x'
    for installed in /usr/share/applications/velantro.desktop /usr/share/mime/packages/velantro-mime.xml \
        /usr/share/icons/hicolor/48x48/apps/velantro.png /usr/share/icons/hicolor/scalable/apps/velantro.svg \
        /usr/share/thumbnailers/velantro.thumbnailer /usr/share/metainfo/org.velantro.velantro.metainfo.xml \
        /usr/share/man/man1/velantro.1.gz /usr/share/doc/velantro/copyright; do
        [ -f "$installed" ] || { echo "missing: $installed" >&2; exit 1; }
    done
    # The installed thumbnailer's own command, run as file managers do: a
    # cleared environment, and where namespaces are allowed a sandbox with a
    # read-only system, a private /tmp and no network.
    cp examples/dvd-verify.ibg "$check/in.ibg"
    exec_line=$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/velantro.thumbnailer)
    exec_line=${exec_line//%s/256}
    exec_line=${exec_line//%i/$check/in.ibg}
    exec_line=${exec_line//%o/$check/thumb.png}
    sandbox=(env -i PATH=/usr/bin:/bin)
    if bwrap --ro-bind / / --dev /dev true 2>/dev/null; then
        sandbox=(bwrap --ro-bind / / --dev /dev --proc /proc --tmpfs /tmp --bind "$check" "$check"
            --ro-bind "$check/in.ibg" "$check/in.ibg" --unshare-net --unshare-ipc
            --clearenv --setenv PATH /usr/bin:/bin --)
    fi
    # shellcheck disable=SC2086 # the Exec line splits into words, as file managers split it
    "${sandbox[@]}" $exec_line 2>/dev/null
    file "$check/thumb.png" | grep -q 'PNG image data, 192 x 256'
    man -w velantro >/dev/null
    echo "$deb is lint-clean, installs and runs: --info, --export and the thumbnailer work from /usr/bin/velantro"
    ;;
*)
    echo "usage: ./build.sh run [FILE.ibg] | ./build.sh test | ./build.sh web | ./build.sh package" >&2
    exit 2
    ;;
esac
