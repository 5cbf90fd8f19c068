# Installs the Debian packages named as arguments that are not installed yet (sourced by the scripts).
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and testing both builds needs.
BUILD_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix clang libclang-rt-14-dev clang-format clang-tidy python3)

# What the Windows build alone needs (scripts/package.sh).
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix python3)

# What the end-to-end tests and scripts/run.sh need: Wine, an X server with the dummy video driver,
# RandR tools, real input and screenshots.
E2E_PACKAGES=(wine wine64 xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xdotool imagemagick)

# What scripts/screenshots.sh needs besides: a compositing manager (the program's translucency in the
# pictures), the system Python's X library (the desktop's colour) and a lossless PNG optimiser.
SCREENSHOT_PACKAGES=(xcompmgr python3-xlib optipng)
