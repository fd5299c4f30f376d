# Shared by the project's scripts: installs what is missing and configures builds.

# Debian packages needed to build Trivisto and run its tests.
TRIVISTO_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev qt6-qpa-plugins
    libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
    xvfb xauth fonts-dejavu-core
)

# Installs the given Debian packages that are not installed yet (as root with
# apt-get, otherwise through sudo). Quick when everything is already there.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_jobs() { nproc 2>/dev/null || echo 2; }
