#!/usr/bin/env bash
# Runs zugui-demo and reports where its screenshots are. Without a display the demo runs hidden
# on a virtual X server (Xvfb). Arguments after the folder go to the demo.
#   scripts/run-demo.sh <demo-binary> <screenshot-folder> [demo options...]
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 <demo-binary> <screenshot-folder> [demo options...]" >&2
    exit 2
fi
demo=$1
screenshots=$2
shift 2

if [ ! -x "$demo" ]; then
    echo "run-demo: $demo is not an executable; build the zugui-demo target first" >&2
    exit 2
fi

if [ -n "${DISPLAY:-}" ]; then
    "$demo" --screenshots "$screenshots" "$@"
else
    if ! command -v xvfb-run >/dev/null; then
        echo "run-demo: no \$DISPLAY and no xvfb-run; run scripts/install-deps.sh" >&2
        exit 2
    fi
    xvfb-run -a -s "-screen 0 1280x800x24" "$demo" --hidden --screenshots "$screenshots" "$@"
fi
echo "run-demo: screenshots written to $screenshots/demo-*.png"
