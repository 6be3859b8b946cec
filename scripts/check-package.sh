#!/usr/bin/env bash
# Installs the Debian packages of `make package` with apt-get, builds and runs the consumer
# program against them (CMake package and pkg-config), and removes the packages again.
#   scripts/check-package.sh [package folder]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
packages=$(realpath "${1:-$root/build/package}")
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

shopt -s nullglob
debs=("$packages"/zuguielements_*.deb "$packages"/zuguielements-dev_*.deb)
if [ ${#debs[@]} -ne 2 ]; then
    echo "check-package: no packages in $packages (run make package)" >&2
    exit 2
fi
trap '$sudo apt-get remove -y -qq zuguielements zuguielements-dev > /dev/null' EXIT
$sudo apt-get install -y -qq "${debs[@]}"
# One window type per row of the module's window-factory table.
types=$(grep -c '^ *WindowRow<' "$root/gameui/ZuGUIElements/module/ModuleTables.cpp")
"$root/tests/install/run-consumer-test.sh" system "$packages/consumer" "$types"
