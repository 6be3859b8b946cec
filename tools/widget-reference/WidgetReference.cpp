// Writes the widget reference (docs/widgets.md) from the module itself, as the sample skin
// shows it: every window type of the module's window-factory table through each mapping of the
// skin that targets it (the properties of the window with the mapping's renderer and look, the
// look elements the renderer reads in every state it draws, a picture from the demo), its
// events, then the skin's types that put a module renderer on a CEGUI window, and every
// renderer of the module's renderer tables.
//
//   zugui-widget-reference <CEGUI data dir> <skin dir> <module sources> <output file>
//                          [<committed reference>]
//
// With a committed reference, the output is compared with it and the program fails when they
// differ, naming the first differing line, or when a picture that it links is missing. It also
// fails when the module sources define an event that the event table below lacks.
#include "support/text/HeadlessCegui.h"

#include "LookStates.h"
#include "ReferenceText.h"
#include "SampleLayouts.h"
#include "SkinWindows.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/gamewidgets/GameProgressBar.h"
#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/gamewidgets/PercentBar.h"
#include "ZuGUIElements/gamewidgets/ThinkableFrameWindow.h"
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

// Properties that the module declares carry this origin; the rest are CEGUI's or the look's.
const CEGUI::String kModuleOrigin = "ZuGUIElements";
const char* const kDefaultFont = "DejaVuSans-10-NoScale";
constexpr float kDisplayWidth = 1024.0f;
constexpr float kDisplayHeight = 768.0f;
// The folder of the pictures, beside the reference.
const char* const kPictureFolder = "widgets";
// The help that CEGUI gives every property definition of a look: it says nothing.
const char* const kLookDefinitionHelp =
    "Falagard custom property definition - gets/sets a named user string.";

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

// Where a property of a window comes from.
enum class Source
{
    Window,   // the module's window class
    Renderer, // the module renderer attached to it
    Look,     // a property definition of its look
};

enum class Access
{
    ReadWrite,
    ReadOnly,
    Command, // write-only: a write runs it, a layout never records it
};

struct PropertyEntry
{
    std::string name;
    std::string dataType;
    std::string defaultValue;
    // The value that the look gives the property when it differs from the default; none when
    // the look sets none.
    std::string lookValue;
    bool lookSetsValue = false;
    std::string help;
    Access access = Access::ReadWrite;
    Source source = Source::Window;
};

// A window type of the skin (or a module window type that the skin does not map, with an empty
// windowType): the window as a user meets it.
struct SkinTypeEntry
{
    SkinMapping mapping;
    std::string ceguiBase;
    bool moduleRenderer = false;
    std::vector<PropertyEntry> properties;
    // CEGUI's properties by name, but those that every window has, and which are commands.
    std::vector<std::string> ceguiProperties;
    std::set<std::string> ceguiCommands;
    LookReads reads;
};

struct WindowTypeEntry
{
    std::string type;
    std::vector<std::string> events;
    std::vector<SkinTypeEntry> skinTypes;
};

struct RendererEntry
{
    std::string type;
    std::string ceguiBase;
    std::vector<std::string> skinTypes;
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

const CEGUI::WidgetLookFeel* LookOf(const CEGUI::Window& window)
{
    CEGUI::WidgetLookManager& looks = CEGUI::WidgetLookManager::getSingleton();
    const CEGUI::String& look = window.getLookNFeel();
    return !look.empty() && looks.isWidgetLookAvailable(look) ? &looks.getWidgetLook(look)
                                                              : nullptr;
}

// The names of the look's property definitions and links, its inherited looks' included.
std::set<std::string> LookPropertyNames(const CEGUI::WidgetLookFeel* look)
{
    std::set<std::string> names;
    if (!look)
        return names;
    for (const CEGUI::String& name : look->getPropertyDefinitionNames(true))
        names.insert(Text(name));
    for (const CEGUI::String& name : look->getPropertyLinkDefinitionNames(true))
        names.insert(Text(name));
    return names;
}

std::set<std::string> PropertyNames(const CEGUI::Window& window)
{
    std::set<std::string> names;
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
        names.insert(Text(it.getCurrentKey()));
    return names;
}

// The properties of every CEGUI window.
const std::set<std::string>& EveryWindowsProperties()
{
    static const std::set<std::string> names = PropertyNames(*ScopedWindow("DefaultWindow"));
    return names;
}

Access AccessOf(const CEGUI::Property& property)
{
    if (!property.isReadable())
        return Access::Command;
    return property.isWritable() ? Access::ReadWrite : Access::ReadOnly;
}

// The window's properties: the module's and the look's in full, CEGUI's by name. A module
// property that a window of the target type lacks without the renderer is the renderer's.
void AddProperties(const CEGUI::Window& window, const std::set<std::string>& windowOwn,
                   SkinTypeEntry& entry)
{
    const CEGUI::WidgetLookFeel* look = LookOf(window);
    const std::set<std::string> lookNames = LookPropertyNames(look);
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
    {
        const CEGUI::Property& property = *it.getCurrentValue();
        const std::string name = Text(property.getName());
        const bool fromLook = lookNames.count(name) != 0;
        if (property.getOrigin() != kModuleOrigin && !fromLook)
        {
            if (!EveryWindowsProperties().count(name))
            {
                entry.ceguiProperties.push_back(name);
                if (!property.isReadable())
                    entry.ceguiCommands.insert(name);
            }
            continue;
        }
        PropertyEntry row;
        row.name = name;
        row.dataType = Text(property.getDataType());
        row.defaultValue = Text(property.getDefault(&window));
        row.help = Text(property.getHelp());
        if (fromLook && row.help == kLookDefinitionHelp)
            row.help.clear();
        row.access = AccessOf(property);
        row.source = fromLook                ? Source::Look
                     : windowOwn.count(name) ? Source::Window
                                             : Source::Renderer;
        if (const CEGUI::PropertyInitialiser* initial =
                look ? look->findPropertyInitialiser(property.getName()) : nullptr)
        {
            row.lookValue = Text(initial->getInitialiserValue());
            row.lookSetsValue = row.lookValue != row.defaultValue;
        }
        entry.properties.push_back(row);
    }
    std::sort(entry.properties.begin(), entry.properties.end(),
              [](const PropertyEntry& a, const PropertyEntry& b) { return a.name < b.name; });
    std::sort(entry.ceguiProperties.begin(), entry.ceguiProperties.end());
}

SkinTypeEntry DescribeSkinType(const SkinMapping& mapping,
                               const std::vector<LayoutWindow>& layoutWindows)
{
    SkinTypeEntry entry{mapping, "", IsModuleRenderer(mapping.renderer), {}, {}, {}, {}};
    std::set<std::string> windowOwn;
    {
        const FreshWindow bare(mapping, FreshWindow::Renderer::OnlyToDestroy);
        windowOwn = PropertyNames(*bare);
        if (mapping.windowType.empty())
        {
            AddProperties(*bare, windowOwn, entry);
            return entry;
        }
    }
    {
        const ScopedWindow window(mapping.windowType.c_str());
        AddProperties(*window, windowOwn, entry);
    }
    if (entry.moduleRenderer)
    {
        entry.ceguiBase = CeguiBaseOfRenderer(mapping.renderer);
        entry.reads = RecordLookReads(mapping, layoutWindows);
    }
    return entry;
}

WindowTypeEntry DescribeWindowType(const std::string& type, const std::vector<SkinMapping>& skin,
                                   const std::vector<LayoutWindow>& layoutWindows)
{
    WindowTypeEntry entry{type, {}, {}};
    for (const SkinMapping& mapping : skin)
        if (mapping.targetType == type)
            entry.skinTypes.push_back(DescribeSkinType(mapping, layoutWindows));
    if (entry.skinTypes.empty())
        entry.skinTypes.push_back(DescribeSkinType({"", type, "", ""}, layoutWindows));
    const SkinMapping& mapping = entry.skinTypes.front().mapping;
    const FreshWindow window(mapping, FreshWindow::Renderer::OnlyToDestroy);
    AddEvents(*window, entry);
    return entry;
}

// The module renderers' skin types over CEGUI's window types.
std::vector<SkinTypeEntry> DescribeCeguiSkinTypes(const std::vector<SkinMapping>& skin,
                                                  const std::vector<LayoutWindow>& layoutWindows)
{
    const std::vector<std::string> moduleTypes = ModuleWindowTypes();
    std::vector<SkinTypeEntry> entries;
    for (const SkinMapping& mapping : skin)
        if (std::find(moduleTypes.begin(), moduleTypes.end(), mapping.targetType) ==
            moduleTypes.end())
            entries.push_back(DescribeSkinType(mapping, layoutWindows));
    return entries;
}

std::vector<RendererEntry> DescribeRenderers(const std::vector<SkinMapping>& skin)
{
    std::vector<RendererEntry> entries;
    for (const std::string& type : ModuleRenderers())
    {
        RendererEntry entry{type, CeguiBaseOfRenderer(type), {}};
        for (const SkinMapping& mapping : skin)
            if (mapping.renderer == type)
                entry.skinTypes.push_back(mapping.windowType);
        entries.push_back(entry);
    }
    return entries;
}

void WriteIntroduction(std::ostream& out)
{
    out << "# Widget reference\n\n"
           "Generated from the module by `zugui-widget-reference` (tools/widget-reference); do "
           "not edit. `make docs` refreshes it and the pictures; the test `widget_reference` "
           "fails when it is stale.\n\n"
           "- **Window types**: every row of the module's window-factory table, in registration "
           "order, with the events that the module's classes define (the window fires them in "
           "the namespace of its class; the events of its CEGUI base class are not listed), "
           "then each type of the sample skin (`examples/skin/ZuLook.scheme`) that maps it, as "
           "a user meets it: a window made through the mapping, with the mapping's renderer and "
           "look.\n"
           "  - The picture is cut from the first of the demo's screenshots that shows a window "
           "of the type, around the front-most one wholly in sight; a window that the demo keeps "
           "out of sight (on a tab not chosen) is shown over its scene for it. `make docs` "
           "makes them.\n"
           "  - Properties: those that the module's window class declares (*window*), that its "
           "renderer adds while attached (*renderer*) and that the look defines (*look*), in "
           "full; CEGUI's by name only (see CEGUI's documentation). The default is the value "
           "that a layout writer leaves out; where the look gives another value, shown after it, "
           "the writer leaves out that one instead. A **command** is write-only: writing it runs "
           "it with the value written (any value for one that takes none), it reads back empty "
           "and a layout never records it.\n"
           "  - Look elements: the state imageries, named areas and properties that the "
           "renderer asks the look for while windows of the type are drawn: as created, in "
           "every combination of the module's boolean properties, and as each window of the "
           "type in the sample layouts is set up (styles, look properties, texts, the window "
           "it is in), each without and with a long text, as it is, hovered, dragged over and "
           "disabled. A renderer that extends a CEGUI renderer also reads what that renderer "
           "reads; CEGUI's own renderers read their looks as CEGUI documents.\n"
           "- **Skin types over CEGUI windows**: the skin's types that put a module renderer on "
           "a window type of CEGUI, alike.\n"
           "- **Renderers**: every renderer the module registers, the CEGUI renderer it "
           "extends and the skin's types that use it.\n\n";
}

const char* SourceName(Source source)
{
    switch (source)
    {
    case Source::Window:
        return "window";
    case Source::Renderer:
        return "renderer";
    case Source::Look:
        return "look";
    }
    return "";
}

const char* AccessName(Access access)
{
    switch (access)
    {
    case Access::ReadWrite:
        return "read-write";
    case Access::ReadOnly:
        return "read-only";
    case Access::Command:
        return "**command**";
    }
    return "";
}

void WriteProperties(std::ostream& out, const SkinTypeEntry& entry)
{
    if (entry.properties.empty())
        out << "Module and look properties: none.\n\n";
    else
    {
        out << "| Property | Type | Default | Access | From | Help |\n"
               "|---|---|---|---|---|---|\n";
        for (const PropertyEntry& property : entry.properties)
        {
            std::string defaultValue = Code(Cell(property.defaultValue));
            if (property.lookSetsValue)
                defaultValue += (defaultValue.empty() ? "" : "; ") + std::string("look: ") +
                                (property.lookValue.empty() ? std::string("empty")
                                                            : Code(Cell(property.lookValue)));
            out << "| `" << property.name << "` | " << Cell(property.dataType) << " | "
                << defaultValue << " | " << AccessName(property.access) << " | "
                << SourceName(property.source) << " | " << Cell(property.help) << " |\n";
        }
        out << "\n";
    }
    out << "CEGUI properties: those of every window";
    for (std::size_t i = 0; i < entry.ceguiProperties.size(); ++i)
    {
        const std::string& name = entry.ceguiProperties[i];
        out << (i == 0 ? " and " : ", ") << Code(name)
            << (entry.ceguiCommands.count(name) ? " (**command**)" : "");
    }
    out << ".\n\n";
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

void WriteLookElements(std::ostream& out, const SkinTypeEntry& entry)
{
    if (!entry.moduleRenderer)
    {
        out << "Look elements: drawn by CEGUI's renderer `" << entry.mapping.renderer << "`.\n\n";
        return;
    }
    out << "Look elements that the renderer reads";
    if (!entry.ceguiBase.empty())
        out << " beside those of CEGUI's `" << entry.ceguiBase << "`, which it extends";
    out << ":\n\n";
    for (LookElement kind :
         {LookElement::StateImagery, LookElement::NamedArea, LookElement::Property})
    {
        const auto reads = entry.reads.find(kind);
        out << "- " << KindName(kind) << ": "
            << (reads == entry.reads.end() ? std::string("none") : CodeList(reads->second)) << "\n";
    }
    out << "\n";
}

void WriteSkinType(std::ostream& out, const SkinTypeEntry& entry)
{
    if (entry.mapping.windowType.empty())
    {
        out << "The sample skin does not map it: the window as its factory makes it, without "
               "a renderer or look.\n\n";
        WriteProperties(out, entry);
        return;
    }
    const SkinMapping& mapping = entry.mapping;
    out << "#### " << mapping.windowType << "\n\n";
    out << "![" << mapping.windowType << " in the demo](" << kPictureFolder << "/"
        << PictureFileName(mapping.windowType) << ")\n\n";
    out << "Window type `" << mapping.targetType << "`, renderer `" << mapping.renderer
        << "`, look `" << mapping.look << "`.\n\n";
    WriteProperties(out, entry);
    WriteLookElements(out, entry);
}

void WriteWindowType(std::ostream& out, const WindowTypeEntry& entry)
{
    out << "### " << entry.type << "\n\n";
    out << "Module events: " << CodeList(entry.events) << ".\n\n";
    for (const SkinTypeEntry& skinType : entry.skinTypes)
        WriteSkinType(out, skinType);
}

std::string SkinTypeLink(const std::string& windowType)
{
    return "[`" + windowType + "`](#" + HeadingAnchor(windowType) + ")";
}

void WriteRenderer(std::ostream& out, const RendererEntry& entry)
{
    out << "### " << entry.type << "\n\n";
    if (!entry.ceguiBase.empty())
        out << "Extends CEGUI's `" << entry.ceguiBase << "`.\n\n";
    if (entry.skinTypes.empty())
    {
        out << "No type of the sample skin uses it.\n\n";
        return;
    }
    out << "Used by ";
    for (std::size_t i = 0; i < entry.skinTypes.size(); ++i)
        out << (i == 0 ? "" : ", ") << SkinTypeLink(entry.skinTypes[i]);
    out << ".\n\n";
}

struct Reference
{
    std::vector<WindowTypeEntry> windowTypes;
    std::vector<SkinTypeEntry> ceguiSkinTypes;
    std::vector<RendererEntry> renderers;
};

std::string ReferenceText(const Reference& reference)
{
    std::ostringstream out;
    WriteIntroduction(out);
    out << "## Window types\n\n";
    out << "The CEGUI properties of every window: "
        << CodeList(std::vector<std::string>(EveryWindowsProperties().begin(),
                                             EveryWindowsProperties().end()))
        << ".\n\n";
    for (const WindowTypeEntry& entry : reference.windowTypes)
        WriteWindowType(out, entry);
    out << "## Skin types over CEGUI windows\n\n";
    for (const SkinTypeEntry& entry : reference.ceguiSkinTypes)
        WriteSkinType(out, entry);
    out << "## Renderers\n\n";
    for (const RendererEntry& entry : reference.renderers)
        WriteRenderer(out, entry);
    std::string text = out.str();
    text.pop_back(); // one newline at the end
    return text;
}

// The pictures that the reference links, by file name.
std::vector<std::string> LinkedPictures(const Reference& reference)
{
    std::vector<std::string> pictures;
    const auto add = [&](const SkinTypeEntry& entry)
    {
        if (!entry.mapping.windowType.empty())
            pictures.push_back(PictureFileName(entry.mapping.windowType));
    };
    for (const WindowTypeEntry& entry : reference.windowTypes)
        for (const SkinTypeEntry& skinType : entry.skinTypes)
            add(skinType);
    for (const SkinTypeEntry& entry : reference.ceguiSkinTypes)
        add(entry);
    return pictures;
}

Reference GenerateReference(const std::string& ceguiDataDir, const std::string& skinDir)
{
    ZuTest::ScopedHeadlessCegui cegui(ceguiDataDir, skinDir);
    // The looks' images scale with the display: without a size they would have none.
    static_cast<CEGUI::NullRenderer&>(*CEGUI::System::getSingleton().getRenderer())
        .setDisplaySize(CEGUI::Sizef(kDisplayWidth, kDisplayHeight));
    CEGUI::SchemeManager& schemes = CEGUI::SchemeManager::getSingleton();
    schemes.createFromFile("TaharezLook.scheme");
    schemes.createFromFile("ZuLook.scheme", "skin");
    CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kDefaultFont) + ".font");
    CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(kDefaultFont);
    const std::vector<SkinMapping> skin = ModuleSkinMappings();
    const std::vector<LayoutWindow> layoutWindows = ReadLayoutWindows("skin");
    Reference reference;
    for (const std::string& type : ModuleWindowTypes())
        reference.windowTypes.push_back(DescribeWindowType(type, skin, layoutWindows));
    reference.ceguiSkinTypes = DescribeCeguiSkinTypes(skin, layoutWindows);
    reference.renderers = DescribeRenderers(skin);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    return reference;
}

int CheckCommitted(const std::string& generated, const std::string& generatedPath,
                   const std::string& committedPath, const std::vector<std::string>& pictures)
{
    const std::string committed = ReadFile(committedPath);
    if (committed != generated)
    {
        std::cerr << committedPath << " is stale: it differs from " << generatedPath << " at line "
                  << FirstDifferingLine(committed, generated)
                  << ". Refresh it with `make docs` (or `cmake --build <build dir> --target "
                     "docs`) and commit it.\n";
        return 1;
    }
    const std::filesystem::path folder =
        std::filesystem::path(committedPath).parent_path() / kPictureFolder;
    std::vector<std::string> missing;
    for (const std::string& picture : pictures)
        if (!std::filesystem::exists(folder / picture))
            missing.push_back(picture);
    if (missing.empty())
        return 0;
    std::cerr << committedPath << " links pictures that " << folder.string()
              << " lacks: " << CodeList(missing)
              << ". Make them with `make docs` and commit them.\n";
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
        const Reference reference = GenerateReference(argv[1], argv[2]);
        const std::string text = ReferenceText(reference);
        std::ofstream(argv[4], std::ios::binary) << text;
        return argc == 6 ? CheckCommitted(text, argv[4], argv[5], LinkedPictures(reference)) : 0;
    }
    catch (const CEGUI::Exception& error)
    {
        std::cerr << "zugui-widget-reference: " << error.getMessage() << "\n";
        return 1;
    }
}
