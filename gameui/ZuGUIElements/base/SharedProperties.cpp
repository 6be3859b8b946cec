#include "ZuGUIElements/base/SharedProperties.h"

#include <CEGUI/Exceptions.h>
#include <CEGUI/Logger.h>

namespace ZuGUI
{
namespace detail
{
namespace
{
// Reaches CEGUI::Window's protected default check for any window.
struct WindowAccess : CEGUI::Window
{
    static bool IsAtDefault(const CEGUI::Window& window, const CEGUI::Property* property)
    {
        return (window.*(&WindowAccess::isPropertyAtDefault))(property);
    }
};

bool WritesToXML(const CEGUI::Window& window, const CEGUI::Property* property)
{
    return !window.isPropertyBannedFromXML(property) &&
           !WindowAccess::IsAtDefault(window, property);
}

// Writes one property; a property that cannot be read is skipped, as CEGUI::Window does.
bool WriteProperty(const CEGUI::Window& window, const CEGUI::Property* property,
                   CEGUI::XMLSerializer& xml)
{
    CEGUI_TRY
    {
        if (!WritesToXML(window, property))
            return false;
        property->writeXMLToStream(&window, xml);
        return true;
    }
    CEGUI_CATCH(CEGUI::InvalidRequestException&)
    {
        CEGUI::Logger::getSingleton().logEvent(
            "Window::writePropertiesXML - property receiving failed.  Continuing...",
            CEGUI::Errors);
        return false;
    }
}
} // namespace

int WriteUnsharedPropertiesXML(const CEGUI::Window& window, const ISharedPropertyWindow& shared,
                               CEGUI::XMLSerializer& xml)
{
    int count = 0;
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
    {
        const CEGUI::Property* property = it.getCurrentValue();
        if (shared.FindSharePros(property->getName()) == property)
            continue;
        if (WriteProperty(window, property, xml))
            ++count;
    }
    return count;
}

void WriteSharedSetXML(const CEGUI::Window& window, const ISharedPropertyWindow& shared,
                       const CEGUI::ShareProSet& set, CEGUI::XMLSerializer& xml, int& count)
{
    for (const CEGUI::Property* property : set)
    {
        // A property that a derived class replaced is written by that class's set.
        if (shared.FindSharePros(property->getName()) != property)
            continue;
        if (WriteProperty(window, property, xml))
            ++count;
    }
}

void AddSharedSet(CEGUI::Window& window, const CEGUI::ShareProSet& set)
{
    for (CEGUI::Property* property : set)
    {
        if (window.isPropertyPresent(property->getName()))
            window.removeProperty(property->getName());
        window.addProperty(property);
    }
}
} // namespace detail
} // namespace ZuGUI
