#!/usr/bin/env bash
# Smoke test of the demo: runs every scene hidden (on Xvfb when there is no display), then
# checks that it bound the game client to the module, that the scenes' scripts reached the
# client and the chat box, that no screenshot is blank, and that some scene showed each of the
# module's window types of the sample skin, whose picture it cut (the demo fails otherwise).
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
rm -f "$out"/demo-*.png "$out"/widgets/*.png "$log"

if ! "$here/run-demo.sh" "$demo" "$out" --hidden --widget-pictures "$out/widgets" >"$log" 2>&1; then
    cat "$log"
    echo "demo-smoke: the demo failed" >&2
    exit 1
fi
cat "$log"

# Fails the smoke test with `message` unless a line of the demo's output matches `pattern`.
expect_in_log() {
    local pattern=$1 message=$2
    if ! grep -q -- "$pattern" "$log"; then
        echo "demo-smoke: $message" >&2
        exit 1
    fi
}

# The sample scheme borrows TaharezLook's imagery without loading it a second time.
if grep -q "Using existing image" "$out/zugui-demo-cegui.log"; then
    echo "demo-smoke: an imageset was loaded twice (see $out/zugui-demo-cegui.log)" >&2
    exit 1
fi

# SetIZuGUI hands the script binding to the host: proof that the module talked to the client.
expect_in_log "RegisterScriptModule(open)" "the game client was never bound to the module"
# The scripted clicks on an item icon and on rich text must reach the client as commands.
for command in _KeyVal_ItemIcon_Click _KeyVal_Cmd_Click; do
    expect_in_log "SendCommand($command" \
        "the scripted clicks sent no $command to the game client"
done
# The chat feed must have wrapped the chat box's ring, and lines must have expired.
for what in "pushed: ." "expired: ."; do
    expect_in_log "^  $what" "the chat scene reported no '$what' line"
done
# The player's line went from a bag icon through the chat input into the chat box, with the
# client's item text for the linked sword.
expect_in_log '^  sent: .*{{M /kick Bob:click}} selling {I 1001:\[Iron Sword\]} for {{40}} gold' \
    "the chat input's line did not carry the client's item text and the typed text escaped"
# The player dragged over two messages, copied them and pasted them into the chat input: the
# copy shows as it was shown, and the line sent from it carries the client's item text for the
# copied link and the rest of the copy escaped, as typed text is.
expect_in_log '^  selected: \[20:10\] \[Trade\] Alice: last \[Iron Sword\], 35 gold\\n\[20:10\] Bram: mine! {hands over 35 gold}$' \
    "the drag over two chat messages did not select their text as shown"
expect_in_log '^  sent copy: .*{N Aldric}: \[20:10\] \[Trade\] Alice: last {I 1001:\[Iron Sword\]}, 35 gold \[20:10\] Bram: mine! {{hands over 35 gold}}$' \
    "the pasted copy did not carry the client's item text and the copied text escaped"
# The player's Arabic reply is in the chat input in the order typed.
expect_in_log '^  drafted: سلام! السعر 35 ذهبية للسيف$' "the chat input lost the Arabic reply as typed"
# The copied messages are still shown, selected, at the screenshot.
selected=$(sed -n 's/^  selected: //p' "$log")
if [ "$(sed -n 's/^  still selected: //p' "$log")" != "$selected" ]; then
    echo "demo-smoke: the chat selection did not last until the screenshot" >&2
    exit 1
fi
expect_in_log '^  forged: .*{{C /evil: *}{{Ak 0,-1}{{N Alice}: trade? {I 1002:[^}]*}{{M /kick' \
    "the forged line did not keep its item link alone"
expect_in_log '^  forged shows: .*Mallory: {C /evil: *}{Ak 0,-1}{N Alice}: trade? \[Minor Healing Potion\]{M /kick Aldric:click}$' \
    "the forged line does not show its commands as the text they were written with"
# The game's script listed a folder, opened a sub-folder by the location its entry gave, and
# read a chat line's size through the module's binding.
for what in "script: listed [0-9]* entries" "script: opened skin: listed [0-9]* entries of .*/skin$" \
    "script: a chat line is [0-9]* x [0-9]* px"; do
    expect_in_log "^  $what" "the chat scene's script reported no '$what'"
done
# The windows scene clicks a button with a sound and drags a window.
expect_in_log 'PlayUISound(.*"interface.coins"' "the push button asked the client for no sound"
expect_in_log "^  map note dragged by 160, 60" "the decorated window was not dragged"
# The web scene's page followed its moved frame, and the spoofed address was refused with the
# game's message.
expect_in_log "^  page at .*, over its moved window" \
    "the web control's page is not over its web window"
expect_in_log "^  message box Error: The address http://www.portal.example@evil.net/login" \
    "the untrusted address was not refused with the game's message"
for scene in hud chat windows web; do
    "$demo" --check-screenshot "$out/demo-$scene.png"
done
pictures=$(sed -n 's/^Widget picture: //p' "$log")
if [ -z "$pictures" ]; then
    echo "demo-smoke: the demo cut no picture of a window type" >&2
    exit 1
fi
for picture in $pictures; do
    "$demo" --check-screenshot "$picture"
done
echo "demo-smoke: passed"
