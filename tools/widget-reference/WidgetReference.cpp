// Writes the widget reference (docs/widgets.md) from the module itself: every window type of
// the module's window-factory table with its properties and events, and every renderer of its
// renderer tables with the look elements it reads while drawing the sample skin's windows.
//
//   zugui-widget-reference <CEGUI data dir> <skin dir> <module sources> <output file>
//                          [<committed reference>]
//
// With a committed reference, the output is compared with it and the program fails when they
// differ, naming the first differing line. It also fails when the module sources define an
// event that the event table below lacks.
#include "support/text/HeadlessCegui.h"

#include "ReferenceText.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/gamewidgets/GameProgressBar.h"
#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/gamewidgets/PercentBar.h"
#include "ZuGUIElements/gamewidgets/ThinkableFrameWindow.h"
#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/WindowRendererSets/Core/Editbox.h>
#include <CEGUI/WindowRendererSets/Core/ItemEntry.h>
#include <CEGUI/WindowRendererSets/Core/MultiColumnList.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using namespace ZuReference;
using ZuGUI::LookImagery::LookElement;

// Properties that the module declares carry this origin; the rest are CEGUI's.
const CEGUI::String kModuleOrigin = "ZuGUIElements";
const char* const kDefaultFont = "DejaVuSans-10-NoScale";

// CEGUI 0.8 adds an event to a window's event set only when it is first subscribed, so a
// window cannot list its events: the module's classes that define events are listed here,
// each event by its name in the sources (checked against them) and its static member.
struct ModuleEvent
{
    const char* definition;
    const CEGUI::String& name;
};

struct EventClass
{
    bool (*isInstance)(const CEGUI::Window&);
    std::vector<ModuleEvent> events;
};

template <typename T>
bool IsInstance(const CEGUI::Window& window)
{
    return dynamic_cast<const T*>(&window) != nullptr;
}

#define ZU_EVENT(Class, Member)                                                                    \
    ModuleEvent                                                                                    \
    {                                                                                              \
#Class "::" #Member, ZuGUI::Class::Member                                                  \
    }

const std::vector<EventClass>& EventClasses()
{
    static const std::vector<EventClass> classes = {
        {IsInstance<ZuGUI::ZuWindow>,
         {ZU_EVENT(ZuWindow, EventGameObjectCreated), ZU_EVENT(ZuWindow, EventGameObjectUpdated),
          ZU_EVENT(ZuWindow, EventGameObjectDestroyed)}},
        {IsInstance<ZuGUI::CItemIcon>,
         {ZU_EVENT(CItemIcon, EventPicked), ZU_EVENT(CItemIcon, EventTargetIdChanged)}},
        {IsInstance<ZuGUI::CPercentBar>, {ZU_EVENT(CPercentBar, EventPercentChanged)}},
        {IsInstance<ZuGUI::GameProgressBar>,
         {ZU_EVENT(GameProgressBar, EventAdvancedToOne),
          ZU_EVENT(GameProgressBar, EventAdvancedToZero)}},
        {IsInstance<ZuGUI::CThinkableFrameWindow>, {ZU_EVENT(CThinkableFrameWindow, EventThink)}},
        {IsInstance<ZuGUI::CGameEditBox>, {ZU_EVENT(CGameEditBox, EventInvalidEntryAttempted)}},
    };
    return classes;
}

#undef ZU_EVENT

struct PropertyEntry
{
    std::string name;
    std::string dataType;
    std::string defaultValue;
    std::string help;
};

struct SkinMapping
{
    std::string windowType;
    std::string targetType;
    std::string renderer;
    std::string look;
};

struct WindowTypeEntry
{
    std::string type;
    std::vector<PropertyEntry> ownProperties;
    std::vector<std::string> inheritedProperties;
    std::vector<std::string> events;
    std::vector<SkinMapping> skinMappings;
};

using LookReads = std::map<LookElement, std::set<std::string>>;

struct RendererEntry
{
    std::string type;
    std::string ceguiBase;
    std::string drawnAs;
    LookReads reads;
};

std::string Text(const CEGUI::String& text)
{
    return text.c_str();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sample skin's mappings, sorted by mapped window type (CEGUI's map order is not).
std::vector<SkinMapping> SkinMappings()
{
    std::vector<SkinMapping> mappings;
    auto it = CEGUI::WindowFactoryManager::getSingleton().getFalagardMappingIterator();
    for (; !it.isAtEnd(); ++it)
    {
        const CEGUI::WindowFactoryManager::FalagardWindowMapping& mapping = it.getCurrentValue();
        mappings.push_back({Text(mapping.d_windowType), Text(mapping.d_baseType),
                            Text(mapping.d_rendererType), Text(mapping.d_lookName)});
    }
    std::sort(mappings.begin(), mappings.end(),
              [](const SkinMapping& a, const SkinMapping& b)
              { return a.windowType < b.windowType; });
    return mappings;
}

// A window that is destroyed with the scope.
class ScopedWindow
{
public:
    explicit ScopedWindow(const std::string& type)
        : m_window(CEGUI::WindowManager::getSingleton().createWindow(type))
    {
    }
    ~ScopedWindow() { CEGUI::WindowManager::getSingleton().destroyWindow(m_window); }
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;

    CEGUI::Window& operator*() const { return *m_window; }
    CEGUI::Window* operator->() const { return m_window; }

private:
    CEGUI::Window* m_window;
};

void AddProperties(const CEGUI::Window& window, WindowTypeEntry& entry)
{
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
    {
        const CEGUI::Property& property = *it.getCurrentValue();
        if (property.getOrigin() == kModuleOrigin)
            entry.ownProperties.push_back({Text(property.getName()), Text(property.getDataType()),
                                           Text(property.getDefault(&window)),
                                           Text(property.getHelp())});
        else
            entry.inheritedProperties.push_back(Text(property.getName()));
    }
    std::sort(entry.ownProperties.begin(), entry.ownProperties.end(),
              [](const PropertyEntry& a, const PropertyEntry& b) { return a.name < b.name; });
    std::sort(entry.inheritedProperties.begin(), entry.inheritedProperties.end());
}

void AddEvents(const CEGUI::Window& window, WindowTypeEntry& entry)
{
    for (const EventClass& eventClass : EventClasses())
        if (eventClass.isInstance(window))
            for (const ModuleEvent& event : eventClass.events)
                entry.events.push_back(Text(event.name));
    std::sort(entry.events.begin(), entry.events.end());
}

// The events the module's sources define ("Class::EventName"), to check the table against.
std::set<std::string> EventDefinitionsIn(const std::filesystem::path& sources)
{
    std::set<std::string> definitions;
    for (const auto& file : std::filesystem::recursive_directory_iterator(sources))
        if (file.path().extension() == ".cpp")
            AddEventDefinitions(ReadFile(file.path().string()), definitions);
    return definitions;
}

// The events the sources define that the table lacks.
std::vector<std::string> EventsMissingFromTable(const std::filesystem::path& sources)
{
    std::set<std::string> missing = EventDefinitionsIn(sources);
    for (const EventClass& eventClass : EventClasses())
        for (const ModuleEvent& event : eventClass.events)
            missing.erase(event.definition);
    return {missing.begin(), missing.end()};
}

// The window type as its factory makes it: no look and no renderer, so that what it lists
// does not depend on a skin.
WindowTypeEntry DescribeWindowType(const std::string& type, const std::vector<SkinMapping>& skin)
{
    WindowTypeEntry entry{type, {}, {}, {}, {}};
    for (const SkinMapping& mapping : skin)
        if (mapping.targetType == type)
            entry.skinMappings.push_back(mapping);
    ScopedWindow window(type);
    AddProperties(*window, entry);
    AddEvents(*window, entry);
    // Some CEGUI windows (a scrollable pane) can be destroyed only once their look has made
    // their components.
    if (!entry.skinMappings.empty())
    {
        window->setWindowRenderer(entry.skinMappings.front().renderer);
        window->setLookNFeel(entry.skinMappings.front().look);
    }
    return entry;
}

std::vector<WindowTypeEntry> DescribeWindowTypes(const std::vector<SkinMapping>& skin)
{
    std::vector<WindowTypeEntry> entries;
    for (const ZuGUI::WindowFactoryRow* row = ZuGUI::ModuleWindowFactories(); row->factory; ++row)
        entries.push_back(DescribeWindowType(Text(row->factory().getTypeName()), skin));
    return entries;
}

// The look reads of one window, while it is observed.
const CEGUI::Window* g_observedWindow = nullptr;
LookReads* g_observedReads = nullptr;

void RecordLookRead(const CEGUI::Window& window, LookElement kind, const CEGUI::String& name)
{
    if (&window == g_observedWindow)
        (*g_observedReads)[kind].insert(Text(name));
}

void DrawFrame()
{
    CEGUI::System& system = CEGUI::System::getSingleton();
    system.getDefaultGUIContext().markAsDirty();
    system.getRenderer()->beginRendering();
    system.renderAllGUIContexts();
    system.getRenderer()->endRendering();
}

// The window's boolean properties that the module declares: the states its renderer may draw
// differently (picked, framed, ...).
std::vector<CEGUI::String> ModuleSwitches(const CEGUI::Window& window)
{
    std::vector<CEGUI::String> switches;
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
    {
        const CEGUI::Property& property = *it.getCurrentValue();
        if (property.getOrigin() == kModuleOrigin && property.getDataType() == "bool" &&
            property.isReadable() && property.isWritable())
            switches.push_back(property.getName());
    }
    std::sort(switches.begin(), switches.end());
    return switches;
}

void DrawEnabledAndDisabled(CEGUI::Window& window)
{
    for (bool disabled : {false, true})
    {
        window.setDisabled(disabled);
        DrawFrame();
    }
    window.setDisabled(false);
}

// Draws the window enabled and disabled, as it is and with each module switch turned over.
void DrawStates(CEGUI::Window& window)
{
    DrawEnabledAndDisabled(window);
    for (const CEGUI::String& name : ModuleSwitches(window))
    {
        const CEGUI::String value = window.getProperty(name);
        const bool on = CEGUI::PropertyHelper<bool>::fromString(value);
        window.setProperty(name, CEGUI::PropertyHelper<bool>::toString(!on));
        DrawEnabledAndDisabled(window);
        window.setProperty(name, value);
    }
}

// Draws a window of the skin type `mappedType` in its states, recording what its renderer asks
// the look for.
LookReads RecordReadsWhileDrawing(const std::string& mappedType)
{
    LookReads reads;
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    ScopedWindow root("DefaultWindow");
    context.setRootWindow(&*root);
    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(mappedType);
    window->setArea(CEGUI::UVector2(CEGUI::UDim(0, 10), CEGUI::UDim(0, 10)),
                    CEGUI::USize(CEGUI::UDim(0, 200), CEGUI::UDim(0, 120)));
    window->setText("Text");
    root->addChild(window);
    g_observedWindow = window;
    g_observedReads = &reads;
    DrawStates(*window);
    g_observedWindow = nullptr;
    g_observedReads = nullptr;
    context.setRootWindow(nullptr);
    return reads;
}

// The CEGUI renderer whose own drawing (and look reads) a module renderer extends.
std::string CeguiBaseOf(const CEGUI::WindowRenderer& renderer)
{
    if (dynamic_cast<const CEGUI::FalagardEditbox*>(&renderer))
        return "Core/Editbox";
    if (dynamic_cast<const CEGUI::FalagardMultiColumnList*>(&renderer))
        return "Core/MultiColumnList";
    if (dynamic_cast<const CEGUI::FalagardItemEntry*>(&renderer))
        return "Core/ItemEntry";
    return "";
}

std::string CeguiBaseOfRenderer(const std::string& type)
{
    CEGUI::WindowRendererManager& renderers = CEGUI::WindowRendererManager::getSingleton();
    CEGUI::WindowRenderer* renderer = renderers.createWindowRenderer(type);
    const std::string base = CeguiBaseOf(*renderer);
    renderers.destroyWindowRenderer(renderer);
    return base;
}

RendererEntry DescribeRenderer(const std::string& type, const std::vector<SkinMapping>& skin)
{
    RendererEntry entry{type, CeguiBaseOfRenderer(type), "", {}};
    const auto mapping = std::find_if(skin.begin(), skin.end(),
                                      [&](const SkinMapping& m) { return m.renderer == type; });
    if (mapping == skin.end())
        return entry;
    entry.drawnAs = mapping->windowType;
    entry.reads = RecordReadsWhileDrawing(mapping->windowType);
    return entry;
}

void AddRenderers(const ZuGUI::RendererFactoryRow* rows, const std::vector<SkinMapping>& skin,
                  std::vector<RendererEntry>& entries)
{
    for (const ZuGUI::RendererFactoryRow* row = rows; row->factory; ++row)
        entries.push_back(DescribeRenderer(Text(row->typeName()), skin));
}

std::vector<RendererEntry> DescribeRenderers(const std::vector<SkinMapping>& skin)
{
    std::vector<RendererEntry> entries;
    ZuGUI::LookImagery::SetLookReadObserver(&RecordLookRead);
    AddRenderers(ZuGUI::ModuleRendererFactories().rows(), skin, entries);
    AddRenderers(ZuGUI::ModuleLookRendererFactories(), skin, entries);
    ZuGUI::LookImagery::SetLookReadObserver(nullptr);
    return entries;
}

void WriteIntroduction(std::ostream& out)
{
    out << "# Widget reference\n\n"
           "Generated from the module by `zugui-widget-reference` (tools/widget-reference); do "
           "not edit. `make docs` refreshes it; the test `widget_reference` fails when it is "
           "stale.\n\n"
           "- **Window types**: every row of the module's window-factory table, in registration "
           "order. Each lists the properties the module declares in full (type, default, "
           "help) and the properties it inherits from CEGUI by name only (see CEGUI's "
           "documentation), as a window of the type has them without a look or renderer. "
           "Events are the ones the module's classes define (the window fires them in the "
           "namespace of its class); the events of its CEGUI base class are not listed. The "
           "sample skin's mappings of the type follow.\n"
           "- **Renderers**: every renderer the module registers, with the look elements "
           "(state imageries, named areas, properties) it asks a window's look for while a "
           "window of the sample skin that uses it is drawn, enabled and disabled, as created "
           "and with each boolean property of the module turned over. Elements read only in "
           "other states (with content, list rows, hovered) are not listed; a "
           "renderer that extends a CEGUI renderer also reads what that renderer reads.\n\n";
}

void WriteProperties(std::ostream& out, const WindowTypeEntry& entry)
{
    if (entry.ownProperties.empty())
    {
        out << "Module properties: none.\n\n";
        return;
    }
    out << "| Property | Type | Default | Help |\n|---|---|---|---|\n";
    for (const PropertyEntry& property : entry.ownProperties)
        out << "| `" << property.name << "` | " << Cell(property.dataType) << " | "
            << Code(Cell(property.defaultValue)) << " | " << Cell(property.help) << " |\n";
    out << "\n";
}

void WriteSkinMappings(std::ostream& out, const std::vector<SkinMapping>& mappings)
{
    out << "In the sample skin:";
    if (mappings.empty())
        out << " not mapped.";
    for (const SkinMapping& mapping : mappings)
        out << "\n- `" << mapping.windowType << "`: renderer `" << mapping.renderer << "`, look `"
            << mapping.look << "`";
    out << "\n\n";
}

void WriteWindowType(std::ostream& out, const WindowTypeEntry& entry)
{
    out << "### " << entry.type << "\n\n";
    WriteProperties(out, entry);
    out << "Inherited CEGUI properties: " << CodeList(entry.inheritedProperties) << ".\n\n";
    out << "Module events: " << CodeList(entry.events) << ".\n\n";
    WriteSkinMappings(out, entry.skinMappings);
}

const char* KindName(LookElement kind)
{
    switch (kind)
    {
    case LookElement::StateImagery:
        return "State imageries";
    case LookElement::NamedArea:
        return "Named areas";
    case LookElement::Property:
        return "Properties";
    }
    return "";
}

void WriteRenderer(std::ostream& out, const RendererEntry& entry)
{
    out << "### " << entry.type << "\n\n";
    if (!entry.ceguiBase.empty())
        out << "Extends CEGUI's `" << entry.ceguiBase << "`.\n\n";
    if (entry.drawnAs.empty())
    {
        out << "No window of the sample skin uses it: look elements not recorded.\n\n";
        return;
    }
    out << "Drawn as `" << entry.drawnAs << "`.\n\n";
    for (LookElement kind :
         {LookElement::StateImagery, LookElement::NamedArea, LookElement::Property})
    {
        const auto reads = entry.reads.find(kind);
        out << "- " << KindName(kind) << ": "
            << (reads == entry.reads.end() ? std::string("none") : CodeList(reads->second)) << "\n";
    }
    out << "\n";
}

std::string Reference(const std::vector<WindowTypeEntry>& windowTypes,
                      const std::vector<RendererEntry>& renderers)
{
    std::ostringstream out;
    WriteIntroduction(out);
    out << "## Window types\n\n";
    for (const WindowTypeEntry& entry : windowTypes)
        WriteWindowType(out, entry);
    out << "## Renderers\n\n";
    for (const RendererEntry& entry : renderers)
        WriteRenderer(out, entry);
    std::string text = out.str();
    text.pop_back(); // one newline at the end
    return text;
}

std::string GenerateReference(const std::string& ceguiDataDir, const std::string& skinDir)
{
    ZuTest::ScopedHeadlessCegui cegui(ceguiDataDir, skinDir);
    CEGUI::SchemeManager& schemes = CEGUI::SchemeManager::getSingleton();
    schemes.createFromFile("TaharezLook.scheme");
    schemes.createFromFile("ZuLook.scheme", "skin");
    CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kDefaultFont) + ".font");
    CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(kDefaultFont);
    const std::vector<SkinMapping> skin = SkinMappings();
    const std::vector<WindowTypeEntry> windowTypes = DescribeWindowTypes(skin);
    const std::vector<RendererEntry> renderers = DescribeRenderers(skin);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    return Reference(windowTypes, renderers);
}

int CheckCommitted(const std::string& generated, const std::string& generatedPath,
                   const std::string& committedPath)
{
    const std::string committed = ReadFile(committedPath);
    if (committed == generated)
        return 0;
    std::cerr << committedPath << " is stale: it differs from " << generatedPath << " at line "
              << FirstDifferingLine(committed, generated)
              << ". Refresh it with `make docs` (or `cmake --build <build dir> --target docs`) "
                 "and commit it.\n";
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6)
    {
        std::cerr << "usage: " << argv[0]
                  << " <CEGUI data dir> <skin dir> <module sources> <output file>"
                     " [<committed reference>]\n";
        return 2;
    }
    const std::vector<std::string> missingEvents = EventsMissingFromTable(argv[3]);
    if (!missingEvents.empty())
    {
        std::cerr << "zugui-widget-reference: the module defines events that the event table of "
                     "tools/widget-reference/WidgetReference.cpp lacks: "
                  << CodeList(missingEvents) << "\n";
        return 1;
    }
    try
    {
        const std::string reference = GenerateReference(argv[1], argv[2]);
        std::ofstream(argv[4], std::ios::binary) << reference;
        return argc == 6 ? CheckCommitted(reference, argv[4], argv[5]) : 0;
    }
    catch (const CEGUI::Exception& error)
    {
        std::cerr << "zugui-widget-reference: " << error.getMessage() << "\n";
        return 1;
    }
}
