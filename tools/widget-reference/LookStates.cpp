#include "LookStates.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>

namespace ZuReference
{
namespace
{
using ZuGUI::LookImagery::LookElement;

const char* const kModuleOrigin = "ZuGUIElements";
// Switches are combined in every way up to this many; beyond it each is turned over alone.
constexpr std::size_t kMostCombinedSwitches = 6;
const CEGUI::Rectf kWindowArea(CEGUI::Vector2f(10.0f, 10.0f), CEGUI::Sizef(200.0f, 120.0f));
const CEGUI::Sizef kHolderSize(400.0f, 300.0f);

// A text taller and wider than the window: its views scroll, its gauges print text.
CEGUI::String LongText()
{
    std::string text;
    for (int line = 1; line <= 24; ++line)
        text += "Line " + std::to_string(line) +
                ": the quick brown fox jumps over the lazy dog, again and again and again\n";
    return text.c_str();
}

enum class Input
{
    None,
    Hovered,
    Dragged,
    Disabled,
};

struct Setting
{
    std::string holderType;
    PropertyValues properties;

    bool operator==(const Setting& other) const
    {
        return holderType == other.holderType && properties == other.properties;
    }
};

using SwitchValues = PropertyValues;

struct State
{
    const Setting* setting;
    SwitchValues switches;
    bool longText;
    Input input;
};

// The window observed and what its renderer read.
const CEGUI::Window* g_observed = nullptr;
LookReads* g_reads = nullptr;

void RecordLookRead(const CEGUI::Window& window, LookElement kind, const CEGUI::String& name)
{
    if (&window == g_observed)
        (*g_reads)[kind].insert(name.c_str());
}

// Observes the look reads of one window while it lives.
class ObservedReads
{
public:
    ObservedReads(const CEGUI::Window& window, LookReads& reads)
    {
        g_observed = &window;
        g_reads = &reads;
        ZuGUI::LookImagery::SetLookReadObserver(&RecordLookRead);
    }
    ~ObservedReads()
    {
        ZuGUI::LookImagery::SetLookReadObserver(nullptr);
        g_observed = nullptr;
        g_reads = nullptr;
    }
    ObservedReads(const ObservedReads&) = delete;
    ObservedReads& operator=(const ObservedReads&) = delete;
};

// Makes a window the context's root while it lives; the former root comes back.
class ContextRoot
{
public:
    ContextRoot(CEGUI::GUIContext& context, CEGUI::Window& root)
        : m_context(context), m_previous(context.getRootWindow())
    {
        context.setRootWindow(&root);
    }
    ~ContextRoot() { m_context.setRootWindow(m_previous); }
    ContextRoot(const ContextRoot&) = delete;
    ContextRoot& operator=(const ContextRoot&) = delete;

private:
    CEGUI::GUIContext& m_context;
    CEGUI::Window* m_previous;
};

// The skin type as created, then as each layout window of the type is set up (each distinct
// setting once).
std::vector<Setting> Settings(const SkinMapping& mapping,
                              const std::vector<LayoutWindow>& layoutWindows)
{
    std::vector<Setting> settings{{"", {}}};
    for (const LayoutWindow& window : layoutWindows)
    {
        const Setting setting{window.parentType, window.properties};
        if (window.type == mapping.windowType &&
            std::find(settings.begin(), settings.end(), setting) == settings.end())
            settings.push_back(setting);
    }
    return settings;
}

std::vector<std::string> ModuleSwitches(const CEGUI::Window& window)
{
    std::vector<std::string> switches;
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
    {
        const CEGUI::Property& property = *it.getCurrentValue();
        if (property.getOrigin() == kModuleOrigin && property.getDataType() == "bool" &&
            property.isReadable() && property.isWritable())
            switches.push_back(property.getName().c_str());
    }
    std::sort(switches.begin(), switches.end());
    return switches;
}

// Every combination of the switches, or each alone turned over from `window`'s values when
// there are too many to combine; the first leaves the window as it is.
std::vector<SwitchValues> SwitchCombinations(const CEGUI::Window& window)
{
    const std::vector<std::string> names = ModuleSwitches(window);
    std::vector<SwitchValues> combinations{{}};
    if (names.size() <= kMostCombinedSwitches)
    {
        for (unsigned bits = 0; bits < (1u << names.size()); ++bits)
        {
            SwitchValues values;
            for (std::size_t i = 0; i < names.size(); ++i)
                values.push_back({names[i], bits & (1u << i) ? "True" : "False"});
            combinations.push_back(values);
        }
        return combinations;
    }
    for (const std::string& name : names)
    {
        const bool on = CEGUI::PropertyHelper<bool>::fromString(window.getProperty(name));
        combinations.push_back({{name, on ? "False" : "True"}});
    }
    return combinations;
}

void SetProperties(CEGUI::Window& window, const PropertyValues& values)
{
    for (const auto& [name, value] : values)
    {
        try
        {
            window.setProperty(name.c_str(),
                               CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(value.c_str())));
        }
        catch (const CEGUI::Exception&)
        {
            // A property that the window lacks or refuses leaves it as it is.
        }
    }
}

// The window that holds the drawn window: one of the type that the layout puts it in, when
// that type can be made, or a plain one.
CEGUI::Window* MakeHolder(const std::string& type)
{
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::Window* holder = nullptr;
    if (!type.empty())
    {
        try
        {
            holder = windows.createWindow(type);
        }
        catch (const CEGUI::Exception&)
        {
            holder = nullptr;
        }
    }
    if (!holder)
        holder = windows.createWindow("DefaultWindow");
    holder->setArea(
        CEGUI::UVector2(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)),
        CEGUI::USize(CEGUI::UDim(0, kHolderSize.d_width), CEGUI::UDim(0, kHolderSize.d_height)));
    return holder;
}

void DrawFrame()
{
    CEGUI::System& system = CEGUI::System::getSingleton();
    system.getDefaultGUIContext().markAsDirty();
    system.getRenderer()->beginRendering();
    system.renderAllGUIContexts();
    system.getRenderer()->endRendering();
}

void Apply(Input input, CEGUI::Window& window, CEGUI::GUIContext& context)
{
    const CEGUI::Rectf area = window.getUnclippedOuterRect().get();
    switch (input)
    {
    case Input::None:
        break;
    case Input::Hovered:
        context.injectMousePosition(area.left() + area.getWidth() / 2,
                                    area.top() + area.getHeight() / 2);
        break;
    case Input::Dragged:
        // Pressed near the top left corner and let go near the bottom right one.
        context.injectMousePosition(area.left() + 3.0f, area.top() + 3.0f);
        context.injectMouseButtonDown(CEGUI::LeftButton);
        for (float step = 0.25f; step <= 1.0f; step += 0.25f)
            context.injectMousePosition(area.left() + 3.0f + (area.getWidth() - 6.0f) * step,
                                        area.top() + 3.0f + (area.getHeight() - 6.0f) * step);
        context.injectMouseButtonUp(CEGUI::LeftButton);
        break;
    case Input::Disabled:
        window.setDisabled(true);
        break;
    }
}

void DrawState(const SkinMapping& mapping, const State& state, CEGUI::Window& root,
               LookReads& reads)
{
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    CEGUI::Window* holder = MakeHolder(state.setting->holderType);
    root.addChild(holder);
    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(mapping.windowType);
    holder->addChild(window);
    SetProperties(*window, state.setting->properties);
    window->setArea(
        CEGUI::UVector2(CEGUI::UDim(0, kWindowArea.left()), CEGUI::UDim(0, kWindowArea.top())),
        CEGUI::USize(CEGUI::UDim(0, kWindowArea.getWidth()),
                     CEGUI::UDim(0, kWindowArea.getHeight())));
    window->setVisible(true);
    SetProperties(*window, state.switches);
    if (state.longText)
        window->setText(LongText());
    {
        const ObservedReads observed(*window, reads);
        Apply(state.input, *window, context);
        DrawFrame();
    }
    context.injectMousePosition(0.0f, 0.0f);
    CEGUI::WindowManager::getSingleton().destroyWindow(holder);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
}
} // namespace

LookReads RecordLookReads(const SkinMapping& mapping,
                          const std::vector<LayoutWindow>& layoutWindows)
{
    LookReads reads;
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    ScopedWindow root("DefaultWindow");
    root->setArea(
        CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
    const ContextRoot contextRoot(context, *root);
    // The NullRenderer leaves the pointer's constraint area unset, which would keep injected
    // pointer positions off every window.
    const CEGUI::Rectf display(CEGUI::Vector2f(0.0f, 0.0f),
                               CEGUI::System::getSingleton().getRenderer()->getDisplaySize());
    context.getMouseCursor().setConstraintArea(&display);

    std::vector<SwitchValues> combinations;
    {
        const ScopedWindow created(mapping.windowType.c_str());
        combinations = SwitchCombinations(*created);
    }
    const std::vector<Setting> settings = Settings(mapping, layoutWindows);
    for (const Setting& setting : settings)
    {
        // The layouts' settings are drawn as they set the switches; the window as created in
        // every combination of them.
        const std::size_t switchSets = &setting == &settings.front() ? combinations.size() : 1;
        for (std::size_t switches = 0; switches < switchSets; ++switches)
            for (bool longText : {false, true})
                for (Input input : {Input::None, Input::Hovered, Input::Dragged, Input::Disabled})
                    DrawState(mapping, {&setting, combinations[switches], longText, input}, *root,
                              reads);
    }
    return reads;
}
} // namespace ZuReference
