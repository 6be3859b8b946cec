// The sample skin's looks in tests: loads a look file of examples/skin (resource group "skin")
// once and gives a window of the module a look of it.
#pragma once

#include <CEGUI/Window.h>
#include <CEGUI/falagard/WidgetLookManager.h>

#include <string>
#include <vector>

namespace ZuTest
{
inline const CEGUI::WidgetLookFeel& SampleLook(const char* lookFile, const char* lookName)
{
    CEGUI::WidgetLookManager& looks = CEGUI::WidgetLookManager::getSingleton();
    if (!looks.isWidgetLookAvailable(lookName))
        looks.parseLookNFeelSpecificationFromFile(lookFile, "skin");
    return looks.getWidgetLook(lookName);
}

// The names among `names` that `look` lacks as state imagery.
inline std::vector<std::string> MissingStateImagery(const CEGUI::WidgetLookFeel& look,
                                                    const std::vector<std::string>& names)
{
    std::vector<std::string> missing;
    for (const std::string& name : names)
    {
        if (!look.isStateImageryPresent(name))
            missing.push_back(name);
    }
    return missing;
}
} // namespace ZuTest
