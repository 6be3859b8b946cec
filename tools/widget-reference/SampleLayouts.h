// The windows of the sample skin's layouts, as the layouts set them up: the settings that a
// user of the skin meets a window type in.
#pragma once

#include <CEGUI/String.h>

#include <string>
#include <utility>
#include <vector>

namespace ZuReference
{
using PropertyValues = std::vector<std::pair<std::string, std::string>>;

struct LayoutWindow
{
    std::string type;
    // The type of the window it is in; "" for a layout's top window and for a window in an
    // automatic part of another (whose type the layout does not say).
    std::string parentType;
    // The properties that the layout sets on it, in the layout's order.
    PropertyValues properties;
};

// The windows of one layout's XML text, parents first. Throws CEGUI's exception for XML that
// does not parse.
std::vector<LayoutWindow> ParseLayoutWindows(const CEGUI::String& xml);
// The windows of every layout (*.layout) of the resource group, the files in name order.
std::vector<LayoutWindow> ReadLayoutWindows(const CEGUI::String& resourceGroup);
} // namespace ZuReference
