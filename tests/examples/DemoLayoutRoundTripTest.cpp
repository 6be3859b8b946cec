// The demo's layouts written back as a layout editor saves them (CEGUI's writeLayoutToStream)
// load again into the same windows with the same property values, and each module property is
// written at most once per window and only when it is not at its default.
#include "support/CeguiFixture.h"
#include "support/WindowTree.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using ZuTest::ForEachWindow;

const char* const kModuleOrigin = "ZuGUIElements";

CEGUI::Window& LoadLayout(const CEGUI::String& file)
{
    return *CEGUI::WindowManager::getSingleton().loadLayoutFromFile(file, "skin");
}

std::string WriteLayout(const CEGUI::Window& window)
{
    std::ostringstream xml;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(window, xml);
    return xml.str();
}

// Whether `property` of `window` is at its default as CEGUI's layout writer sees it: the value
// that the window's look gives it, or else the property's own default.
bool IsAtDefault(const CEGUI::Window& window, const CEGUI::Property& property)
{
    const CEGUI::String value = property.get(&window);
    if (!window.getLookNFeel().empty())
    {
        const CEGUI::WidgetLookFeel& look =
            CEGUI::WidgetLookManager::getSingleton().getWidgetLook(window.getLookNFeel());
        if (const CEGUI::PropertyInitialiser* initial =
                look.findPropertyInitialiser(property.getName()))
            return value == initial->getInitialiserValue();
    }
    return value == property.getDefault(&window);
}

using NamesByPath = std::map<std::string, std::vector<std::string>>;
using ValuesByPath = std::map<std::string, std::map<std::string, std::string>>;

std::string PathBelow(const CEGUI::Window& top, const CEGUI::Window& window)
{
    return window.getNamePath().substr(top.getNamePath().length() - top.getName().length()).c_str();
}

// The properties that a layout carries for each window under `top` that is not an automatic
// part of another, by the window's path below `top`: those that the writer wrote for it
// (`written`), and the module's properties that it left out as being at their default.
NamesByPath CarriedProperties(const CEGUI::Window& top, const NamesByPath& written)
{
    NamesByPath carried;
    ForEachWindow(top,
                  [&](const CEGUI::Window& window)
                  {
                      if (window.isAutoWindow())
                          return;
                      const std::string path = PathBelow(top, window);
                      auto& names = carried[path];
                      if (const auto found = written.find(path); found != written.end())
                          names = found->second;
                      for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
                      {
                          if (it.getCurrentValue()->getOrigin() == kModuleOrigin &&
                              IsAtDefault(window, *it.getCurrentValue()))
                              names.push_back(it.getCurrentKey().c_str());
                      }
                  });
    return carried;
}

ValuesByPath Values(const CEGUI::Window& top, const NamesByPath& names)
{
    ValuesByPath values;
    ForEachWindow(top,
                  [&](const CEGUI::Window& window)
                  {
                      const auto found = names.find(PathBelow(top, window));
                      if (window.isAutoWindow() || found == names.end())
                          return;
                      for (const std::string& name : found->second)
                          values[found->first][name] = window.getProperty(name).c_str();
                  });
    return values;
}

// The names of the Property elements written directly inside each Window or AutoWindow element
// of `xml`, by the element's name path.
std::map<std::string, std::vector<std::string>> WrittenProperties(const std::string& xml)
{
    const std::regex tag(R"(<(/?)(Window|AutoWindow|Property)\b([^>]*)>)");
    const std::regex nameAttribute(R"(\b(?:name|namePath)="([^"]*)\")");
    std::map<std::string, std::vector<std::string>> written;
    std::vector<std::string> path;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator();
         ++it)
    {
        const std::string closing = (*it)[1], element = (*it)[2], attributes = (*it)[3];
        std::smatch name;
        std::regex_search(attributes, name, nameAttribute);
        if (element == "Property")
        {
            if (closing.empty() && !path.empty())
                written[path.back()].push_back(name[1]);
            continue;
        }
        if (!closing.empty())
            path.pop_back();
        else
        {
            path.push_back((path.empty() ? "" : path.back() + "/") + name[1].str());
            if (attributes.back() == '/')
                path.pop_back();
        }
    }
    return written;
}

class DemoLayoutRoundTripTest : public ZuTest::CeguiTest,
                                public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        if (!CEGUI::SchemeManager::getSingleton().isDefined("ZuLook"))
            CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
    }
};

TEST_P(DemoLayoutRoundTripTest, WrittenLayoutLoadsIntoTheSameWindowsWithTheSameValues)
{
    CEGUI::Window& loaded = LoadLayout(GetParam());
    Root().addChild(&loaded);
    const std::string xml = WriteLayout(loaded);
    const auto written = WrittenProperties(xml);

    // The writer writes UTF-8: the layout reads back from those bytes.
    CEGUI::Window& reloaded = *CEGUI::WindowManager::getSingleton().loadLayoutFromString(
        CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(xml.c_str())));
    CreateChild("DefaultWindow", "Reloaded").addChild(&reloaded);
    const NamesByPath carried = CarriedProperties(loaded, written);
    const ValuesByPath before = Values(loaded, carried);
    const ValuesByPath after = Values(reloaded, carried);
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [path, properties] : before)
    {
        ASSERT_EQ(1u, after.count(path)) << path;
        for (const auto& [name, value] : properties)
            EXPECT_EQ(value, after.at(path).at(name)) << path << " " << name;
    }
    // The writer's output is stable: the reloaded windows write the same layout.
    EXPECT_EQ(xml, WriteLayout(reloaded));
}

TEST_P(DemoLayoutRoundTripTest,
       ModulePropertiesAreWrittenOnceOnlyAwayFromTheirDefaultAndNeverCommands)
{
    CEGUI::Window& loaded = LoadLayout(GetParam());
    Root().addChild(&loaded);
    const auto written = WrittenProperties(WriteLayout(loaded));
    ForEachWindow(loaded,
                  [&](const CEGUI::Window& window)
                  {
                      const std::string path =
                          window.getNamePath().substr(Root().getNamePath().length() + 1).c_str();
                      const auto found = written.find(path);
                      if (found == written.end())
                          return;
                      for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
                      {
                          if (it.getCurrentValue()->getOrigin() != kModuleOrigin)
                              continue;
                          const std::string name = it.getCurrentKey().c_str();
                          const auto times =
                              std::count(found->second.begin(), found->second.end(), name);
                          EXPECT_LE(times, 1) << path << " " << name;
                          // A command would run when the layout loads.
                          if (!it.getCurrentValue()->isReadable())
                          {
                              EXPECT_EQ(0, times) << path << " " << name;
                          }
                          if (times)
                          {
                              EXPECT_FALSE(IsAtDefault(window, *it.getCurrentValue()))
                                  << path << " " << name;
                          }
                      }
                  });
}

INSTANTIATE_TEST_SUITE_P(DemoLayouts, DemoLayoutRoundTripTest,
                         ::testing::Values("DemoSidebar.layout", "DemoHud.layout",
                                           "DemoChat.layout", "DemoWindows.layout",
                                           "DemoWeb.layout"));
} // namespace
