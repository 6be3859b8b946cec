#!/usr/bin/env bash
# Builds the consumer program against an installed module, once through the CMake package and
# once through the pkg-config file, and runs both builds.
#   run-consumer-test.sh install <module build folder> <work folder> <expected types> [cxx flags]
#       installs the build into <work folder>/prefix first
#   run-consumer-test.sh system <work folder> <expected types>
#       uses the module installed on the system (e.g. from the Debian packages)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
mode=$1
shift
case "$mode" in
install)
    build=$1 work=$2 expected=$3 cxx_flags=${4:-}
    rm -rf "$work"
    prefix="$work/prefix"
    mkdir -p "$work"
    cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 ||
        { cat "$work/install.log"; exit 1; }
    export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
    # CEGUI's scheme loader must take the module from the prefix too.
    export CEGUI_MODULE_DIR="$prefix/lib"
    ;;
system)
    work=$1 expected=$2 cxx_flags=""
    rm -rf "$work"
    mkdir -p "$work"
    prefix=/usr
    ;;
*)
    echo "usage: run-consumer-test.sh install|system ..." >&2
    exit 2
    ;;
esac
libdir=$(realpath "$(pkg-config --variable=libdir ZuGUIElements)")
includedir=$(pkg-config --variable=includedir ZuGUIElements)

# A source that includes every installed header: only the API is installed, and it must build
# with nothing else of the module's sources.
api_source="$work/api_headers.cpp"
(cd "$includedir" && find ZuGUIElements public -name '*.h' | sort) |
    sed 's|.*|#include "&"|' > "$api_source"
[ -s "$api_source" ] || { echo "consumer: no headers installed under $includedir" >&2; exit 1; }
if [ -e "$includedir/ZuGUIElements/richtext/layout/LineBreaks.h" ]; then
    echo "consumer: the layout's internals are installed" >&2
    exit 1
fi

for way in cmake pkgconfig; do
    out="$work/$way"
    link_flags=""
    # pkg-config gives -L only: a program outside the system's library path adds its run path.
    [ "$mode" = install ] && [ "$way" = pkgconfig ] && link_flags="-Wl,-rpath,$libdir"
    echo "consumer: finding ZuGUIElements through $way"
    cmake -S "$here/consumer" -B "$out" -DZU_FIND_WITH="$way" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$cxx_flags" -DZU_API_HEADERS_SOURCE="$api_source" \
        -DCMAKE_EXE_LINKER_FLAGS="$cxx_flags $link_flags" > "$out.log" 2>&1 ||
        { cat "$out.log"; exit 1; }
    cmake --build "$out" >> "$out.log" 2>&1 || { cat "$out.log"; exit 1; }
    # The program must take the installed library, not the one in a build folder.
    loaded=$(ldd "$out/zugui-consumer" | awk '$1 == "libZuGUIElements.so" { print $3 }')
    if [ "$(realpath "${loaded:-/nonexistent}")" != "$(realpath "$libdir/libZuGUIElements.so")" ]; then
        echo "consumer: the $way build loads '$loaded', not $libdir/libZuGUIElements.so" >&2
        exit 1
    fi
    (cd "$out" && ./zugui-consumer "$expected")
done
