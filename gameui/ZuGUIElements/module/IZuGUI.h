// The game client's interface, where the manager's clients have always found it; it lives with
// the rest of what the widgets know of their client (host/).
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"
