// Which keys CEGUI's edit boxes edit with, and how a box of the module keeps every other key
// from its parents.
//
// CEGUI 0.8's Editbox and MultiLineEditbox hand each key that they do not edit with (letters,
// F-keys, Escape, ...) to Window::onKeyDown, which passes it on to the parent window and so to
// the game's hot keys; a read-only box hands them every key. A box that keeps its keys lets
// CEGUI handle the keys it edits with and, for any other key, only fires its key event and
// marks the key handled.
#pragma once

#include <CEGUI/InputEvent.h>

namespace CEGUI
{
class Window;
}

namespace ZuGUI
{
// The keys that CEGUI's single-line edit box edits with.
bool IsSingleLineEditKey(CEGUI::Key::Scan key);
// The keys that CEGUI's multi-line edit box edits with.
bool IsMultiLineEditKey(CEGUI::Key::Scan key);
// Fires `box`'s key event for `e` and marks the key handled: it goes no further.
void KeepKey(CEGUI::Window& box, CEGUI::KeyEventArgs& e);
} // namespace ZuGUI
