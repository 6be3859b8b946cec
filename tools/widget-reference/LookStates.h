// What a renderer asks a window's look for while it draws a window of a skin type in each
// state that it may draw differently: as created and as the sample layouts set it up, in every
// combination of the module's switches (its writable boolean properties), without and with a
// long text, as it is, hovered, dragged over and disabled, and in the window that the layouts
// put it in (an item entry in its list). Needs CEGUI running with the skin loaded and a GUI
// context whose root it may replace while it draws.
#pragma once

#include "SampleLayouts.h"
#include "SkinWindows.h"

#include "ZuGUIElements/base/LookImagery.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace ZuReference
{
using LookReads = std::map<ZuGUI::LookImagery::LookElement, std::set<std::string>>;

// The look elements read while windows of `mapping` are drawn in their states; `layoutWindows`
// are the sample layouts' windows, of every type.
LookReads RecordLookReads(const SkinMapping& mapping,
                          const std::vector<LayoutWindow>& layoutWindows);
} // namespace ZuReference
