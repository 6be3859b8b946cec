#!/usr/bin/env bash
# Smoke test of the demo: runs every scene hidden (on Xvfb when there is no display), then
# checks that it bound the game client to the module, that the scenes' scripts reached the
# client and the chat box, and that no screenshot is blank.
#   scripts/demo-smoke.sh <demo-binary> <output-dir>
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 <demo-binary> <output-dir>" >&2
    exit 2
fi
demo=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
log=$out/demo.out

mkdir -p "$out"
rm -f "$out"/demo-*.png "$log"

if ! "$here/run-demo.sh" "$demo" "$out" --hidden >"$log" 2>&1; then
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
# The chat feed must have wrapped the chat box's ring, and lines must have expired.
for what in "pushed: " "expired: "; do
    if ! grep -q "^  $what" "$log"; then
        echo "demo-smoke: the chat scene reported no '$what' line" >&2
        exit 1
    fi
done
# The player's line went from a bag icon through the chat input into the chat box, with the
# client's item text for the linked sword.
if ! grep -q '^  sent: .*{I 1001:\[Iron Sword\]}' "$log"; then
    echo "demo-smoke: the chat input's line did not carry the client's item text" >&2
    exit 1
fi
# The game's script listed a folder and read a chat line's size through the module's binding.
for what in "script: listed [0-9]* entries" "script: a chat line is [0-9]* x [0-9]* px"; do
    if ! grep -q "^  $what" "$log"; then
        echo "demo-smoke: the chat scene's script reported no '$what'" >&2
        exit 1
    fi
done
# The windows scene clicks a button with a sound and drags a window.
if ! grep -q 'PlayUISound .*"interface.coins"' "$log"; then
    echo "demo-smoke: the push button asked the client for no sound" >&2
    exit 1
fi
if ! grep -q "^  map note dragged by 160, 60" "$log"; then
    echo "demo-smoke: the decorated window was not dragged" >&2
    exit 1
fi
# The web scene's page followed its moved frame, and the spoofed address was refused with the
# game's message.
if ! grep -q "^  page at .*, over its moved window" "$log"; then
    echo "demo-smoke: the web control's page is not over its web window" >&2
    exit 1
fi
if ! grep -q "^  message box Error: The address http://www.portal.example@evil.net/login" "$log"; then
    echo "demo-smoke: the untrusted address was not refused with the game's message" >&2
    exit 1
fi
for scene in hud chat windows web; do
    "$demo" --check-screenshot "$out/demo-$scene.png"
done
echo "demo-smoke: passed"
