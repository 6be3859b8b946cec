#include "SampleLayouts.h"

#include <CEGUI/ResourceProvider.h>
#include <CEGUI/System.h>
#include <CEGUI/XMLAttributes.h>
#include <CEGUI/XMLHandler.h>
#include <CEGUI/XMLParser.h>

#include <algorithm>

namespace ZuReference
{
namespace
{
// Collects the Window elements of a layout with their Property elements. A property's value
// is its "value" attribute, or else its text.
class LayoutWindowHandler : public CEGUI::XMLHandler
{
public:
    const CEGUI::String& getSchemaName() const override { return m_schema; }
    const CEGUI::String& getDefaultResourceGroup() const override { return m_group; }

    void elementStart(const CEGUI::String& element, const CEGUI::XMLAttributes& attributes) override
    {
        if (element == "Window" || element == "AutoWindow")
        {
            const std::string parent = m_open.empty() ? "" : m_windows[m_open.back()].type;
            const std::string type =
                element == "Window" ? attributes.getValueAsString("type").c_str() : "";
            m_open.push_back(m_windows.size());
            m_windows.push_back({type, parent, {}});
        }
        else if (element == "Property" && !m_open.empty())
        {
            m_property = {attributes.getValueAsString("name").c_str(),
                          attributes.getValueAsString("value").c_str()};
            m_inProperty = true;
        }
    }

    void elementEnd(const CEGUI::String& element) override
    {
        if ((element == "Window" || element == "AutoWindow") && !m_open.empty())
            m_open.pop_back();
        else if (element == "Property" && m_inProperty)
        {
            m_windows[m_open.back()].properties.push_back(m_property);
            m_inProperty = false;
        }
    }

    void text(const CEGUI::String& text) override
    {
        if (m_inProperty)
            m_property.second += text.c_str();
    }

    // The windows, without those of automatic parts (whose type is not known).
    std::vector<LayoutWindow> Windows() const
    {
        std::vector<LayoutWindow> windows;
        std::copy_if(m_windows.begin(), m_windows.end(), std::back_inserter(windows),
                     [](const LayoutWindow& window) { return !window.type.empty(); });
        return windows;
    }

private:
    CEGUI::String m_schema = "GUILayout.xsd";
    CEGUI::String m_group;
    std::vector<LayoutWindow> m_windows;
    std::vector<std::size_t> m_open;
    std::pair<std::string, std::string> m_property;
    bool m_inProperty = false;
};
} // namespace

std::vector<LayoutWindow> ParseLayoutWindows(const CEGUI::String& xml)
{
    LayoutWindowHandler handler;
    CEGUI::System::getSingleton().getXMLParser()->parseXMLString(handler, xml, "");
    return handler.Windows();
}

std::vector<LayoutWindow> ReadLayoutWindows(const CEGUI::String& resourceGroup)
{
    std::vector<CEGUI::String> files;
    CEGUI::System::getSingleton().getResourceProvider()->getResourceGroupFileNames(
        files, "*.layout", resourceGroup);
    std::sort(files.begin(), files.end());
    std::vector<LayoutWindow> windows;
    for (const CEGUI::String& file : files)
    {
        LayoutWindowHandler handler;
        CEGUI::System::getSingleton().getXMLParser()->parseXMLFile(handler, file, "",
                                                                   resourceGroup);
        const std::vector<LayoutWindow> found = handler.Windows();
        windows.insert(windows.end(), found.begin(), found.end());
    }
    return windows;
}
} // namespace ZuReference
