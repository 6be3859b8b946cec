#!/usr/bin/env bash
# Smoke test of the demo: runs it hidden (on Xvfb when there is no display), then checks that
# it bound the game client to the module and that its screenshot is not blank.
#   scripts/demo-smoke.sh <demo-binary> <output-dir>
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 <demo-binary> <output-dir>" >&2
    exit 2
fi
demo=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
screenshot=$out/demo.png
log=$out/demo.out

mkdir -p "$out"
rm -f "$screenshot" "$log"

if ! "$here/run-demo.sh" "$demo" "$screenshot" --hidden --frames 10 >"$log" 2>&1; then
    cat "$log"
    echo "demo-smoke: the demo failed" >&2
    exit 1
fi
cat "$log"

# SetIZuGUI hands the script binding to the host: proof that the module talked to the client.
if ! grep -q "RegisterScriptModule open" "$log"; then
    echo "demo-smoke: the game client was never bound to the module" >&2
    exit 1
fi
# The scripted clicks on an item icon and on rich text must reach the client as commands.
for command in _KeyVal_ItemIcon_Click _KeyVal_Cmd_Click; do
    if ! grep -q "SendCommand $command" "$log"; then
        echo "demo-smoke: the scripted clicks sent no $command to the game client" >&2
        exit 1
    fi
done
"$demo" --check-screenshot "$screenshot"
echo "demo-smoke: passed"
