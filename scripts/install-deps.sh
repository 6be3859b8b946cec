#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the tests, the benchmarks and the demo
# need. Packages already present are left alone; apt-get update runs once, and only when
# something is missing, so a second run on a prepared machine takes well under a second.
set -euo pipefail

packages=(
    # build; dpkg-shlibdeps for the packages' library dependencies
    cmake make g++ pkg-config clang-format dpkg-dev
    # CEGUI 0.8.7 with its data (TaharezLook, DejaVu fonts) and its renderers
    libcegui-mk2-dev libcegui-mk2-data fonts-cegui
    # script interface
    liblua5.1-0-dev libtolua++5.1-dev
    # rich text: Unicode line and cluster breaks, character properties (ICU)
    libicu-dev
    # the break tests' reference: Unicode's LineBreakTest.txt and GraphemeBreakTest.txt
    unicode-data
    # web window: address parsing
    liburiparser-dev
    # screenshots and the demo window
    libpng-dev libglfw3-dev libglew-dev xvfb xauth libgl1-mesa-dri
    # the demo's CJK view (DejaVu has no CJK glyphs)
    fonts-wqy-microhei
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # the stock client test: CEGUI's own Python binding
    python3 python3-libcegui-mk2-0.8.7
    # fuzzing (libFuzzer ships with clang's runtime)
    clang libclang-rt-dev
)

missing=()
for pkg in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$pkg")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
