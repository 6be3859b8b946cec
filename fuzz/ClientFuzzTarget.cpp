// Fuzz target of the widgets against a game client whose every answer the input chooses. A
// scene with one window of each type that the sample skin maps ("ZuLook/...") is updated,
// drawn and given pointer, wheel, key and character input, and its properties are written,
// while the client answers queries or not (with trees of any shape: keys of the wrong type,
// missing, huge, deep), returns script results that are null, empty, very long or not valid
// in the system code page, keeps a UI clock that stops, jumps or runs backwards, goes away for
// a while, and whose scripts, from inside a query or a command, write to the widgets, hide
// them or close them (see ReactAsClient), as a game's scripts do when a click closes a window.
//
// Input: byte 0 sets the scene up (bits 0-1: the system code page, CP1252, GBK, Shift-JIS or
// UTF-8; bit 2: no client while the windows are made; bit 3: the skin's tool tip is the GUI
// context's tool tip; bit 4: the client makes web controls). The next bytes, from the front,
// are steps: a step byte and its arguments (see RunStep). The client's answers are read from
// the back of the input, one call at a time (see FuzzHost); once front and back meet, the
// steps end and the client answers nothing (no reply, null texts, 0). A zero step byte does
// nothing and a zero answer byte is no answer, so that zero bytes between the steps and the
// answers keep the two apart.
//
// Besides crashes and sanitizer reports, the target fails an input when an exception leaves
// CEGUI's update pass, draw pass or input injection (only property writes may throw, and only
// CEGUI's exceptions: that is how CEGUI refuses a malformed value); when a property's own
// value, read back, cannot be written again; when the module hands the client a null text,
// releases an item reference the client never gave, or, with the client present throughout,
// leaves an item reference held or a window registered once the scene is gone; when a web
// control of the client is not released or a window outlives the scene; and when a step takes
// longer than its time budget.
// ZU_FUZZ_VERBOSE=1 prints, per input, the steps and frames run, the client's calls and the
// longest step.
#include "FuzzTimeBudget.h"
#include "support/FakeRenderProxies.h"
#include "support/FuzzInput.h"
#include "support/HostTextView.h"
#include "support/TestClipboard.h"
#include "support/text/HeadlessCegui.h"

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/host/HostTrees.h"
#include "ZuGUIElements/host/SharedRenderProxyIds.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/platform/Clipboard.h"
#include "ZuGUIElements/textwidgets/CopiedText.h"
#include "ZuGUIElements/web/WebCtrl.h"
#include "public/CodePage.h"
#include "public/KeyValues.h"
#include "public/MarkupText.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace
{
const CEGUI::Sizef kDisplaySize(1024.0f, 768.0f);
const char* const kDefaultFont = "DejaVuSans-10-NoScale";
// Properties that the module declares carry this origin.
const CEGUI::String kModuleOrigin = "ZuGUIElements";
const CEGUI::String kSkinPrefix = "ZuLook/";

// At most this many steps and frames per input, so that one input stays well inside
// libFuzzer's time-out even when every frame lays out long texts.
constexpr int kMaxSteps = 400;
constexpr int kMaxFrames = 48;
// Texts of the input are cut at these many code points (property values) or bytes (the
// client's texts); repeated texts at these many.
constexpr std::size_t kTextLimit = 4096;
constexpr std::size_t kLongTextLimit = 16384;
constexpr std::size_t kHugeAnswerLimit = 64 * 1024;
// How deep the client's reply trees may nest.
constexpr int kMaxReplyDepth = 48;

// A step's time budget: a frame (update and draw pass), an input event or a property write.
// Under the sanitizers a frame of the whole scene takes about ten milliseconds, one that lays
// out and draws texts of the longest kind under a tenth of a second; half a second of the
// thread's processor time is exceeded by a step that grows much faster than its input (a
// quadratic layout, a loop over the capacity of a chat box).
constexpr double kStepSeconds = 0.5;

[[noreturn]] void Fail(const char* what, const char* detail = "")
{
    std::fprintf(stderr, "client fuzz: %s%s%s\n", what, *detail ? ": " : "", detail);
    std::abort();
}

void Require(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

// The input as two streams: steps from the front, the client's answers from the back.
using ZuFuzz::FuzzInput;
using ZuFuzz::FuzzReader;

template <typename T, std::size_t N>
const T& Pick(const T (&table)[N], std::uint8_t byte)
{
    return table[byte % N];
}

const int kInterestingInts[] = {0,   1,   2,     3,     7,       9,       42,      -1,     -2,
                                255, 256, 65535, 65536, 1000000, INT_MAX, INT_MIN, -65536, 0x7FFF};
const long kInterestingLongs[] = {0,       1,       -1,      100,      -100,     100000,
                                  -100000, INT_MAX, INT_MIN, LONG_MAX, LONG_MIN, 1L << 40};

// ---------------------------------------------------------------------------------------------
// A web control of the client: it asks the module before it loads an address, as a browser
// does, and counts the controls alive.
class FakeWebCtrl final : public ZuGUI::IWebCtrl
{
public:
    explicit FakeWebCtrl(int& alive) : m_alive(alive) { ++m_alive; }

    void AddRef() override {}
    void Release() override
    {
        --m_alive;
        delete this;
    }
    void Create(std::uint32_t, int[4], ZuGUI::HWND, unsigned long) override {}
    void Show(bool) override {}
    void Refresh() override {}
    void SetRect(const std::int32_t[4], bool) override {}
    void SetCallBack(ZuGUI::IWebCallBack* callBack) override { m_callBack = callBack; }
    void Navigate(const char* address, int flags) override
    {
        Require(address != nullptr, "a web control told to load a null address");
        if (m_callBack)
            m_callBack->OnBeforeNavigate(address, flags);
    }

private:
    ~FakeWebCtrl() = default;

    int& m_alive;
    ZuGUI::IWebCallBack* m_callBack = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The game client. Each call that returns something reads its answer from the back of the
// script; the calls that only tell the client something are checked and otherwise ignored;
// those with nothing to check keep the interface's defaults.
class FuzzHost final : public ZuGUI::IZuGUI
{
public:
    void Begin(FuzzInput& script, bool makesWebControls)
    {
        m_script = &script;
        m_makesWebControls = makesWebControls;
        uiTime = 0.0f;
        hasClock = true;
        m_windows.clear();
        m_heldItems.clear();
        calls = {};
    }
    void End() { m_script = nullptr; }

    // The client goes away: what it knew of the module's windows goes with it.
    void Forget() { m_windows.clear(); }

    const std::vector<ZuGUI::ZuWindow*>& Windows() const { return m_windows; }
    bool HoldsItemReferences() const
    {
        return std::any_of(m_heldItems.begin(), m_heldItems.end(),
                           [](const auto& held) { return held.second != 0; });
    }
    int AliveWebControls() const { return m_aliveWebControls; }

    float uiTime = 0.0f;
    bool hasClock = true;
    // What the module asked and told, for ZU_FUZZ_VERBOSE.
    struct Calls
    {
        int queries = 0;
        int answered = 0;
        int commands = 0;
        int scripts = 0;
        int reactions = 0;
    } calls;

    // What the client's scripts do to the widgets from inside a query or a command: the target
    // installs it while a scene exists. It reads its choices from the client's answers.
    std::function<void(FuzzReader&)> reaction;

    void SendCommand(KeyValues* command) override
    {
        Require(command != nullptr, "a null command");
        ++calls.commands;
        // The client reads the whole tree, then owns it.
        command->Describe();
        command->Destroy();
        // A click's script may change or close the widget that sent it.
        if (Answers().Byte() % 4 == 3)
            React();
    }

    bool Query(KeyValues* request, KeyValues* reply) override
    {
        Require(request && reply, "a query without a request or a reply tree");
        Require(request->GetName() != nullptr, "a request without a name");
        ++calls.queries;
        FuzzReader answer = Answers();
        if (answer.AtEnd())
            return false;
        const std::uint8_t how = answer.Byte();
        if (how % 8 == 1)
        {
            // No answer, but the client's script writes to a widget on the way.
            React();
            return false;
        }
        if (how % 8 == 0)
            return false;
        ++calls.answered;
        if (how % 8 > 2)
            AddReplyKeys(answer, *reply, 1 + (how >> 3) % 8, 0);
        return true;
    }

    void CallScript(const char* function, int argument) override
    {
        Require(function != nullptr, "a script call without a function");
        ++calls.scripts;
        if (std::strcmp(function, ZuGUI::HostTrees::kScriptChatItemAddRef) == 0)
        {
            ++m_heldItems[argument];
        }
        else if (std::strcmp(function, ZuGUI::HostTrees::kScriptChatItemReleaseRef) == 0)
        {
            int& held = m_heldItems[argument];
            Require(held > 0, "an item reference released that the client never gave");
            --held;
        }
    }

    void RegisterWindow(ZuGUI::ZuWindow* window) override
    {
        Require(window != nullptr, "a null window registered");
        Require(std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end(),
                "a window registered twice");
        m_windows.push_back(window);
    }

    void UnregisterWindow(ZuGUI::ZuWindow* window) override
    {
        m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    }

    void RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open) override
    {
        Require(open != nullptr, "a null script module");
    }
    void SubscribeProvider(ZuGUI::ZuWindow*, const char* provider) override
    {
        Require(provider != nullptr, "a null provider subscribed");
    }
    void UnsubscribeProvider(ZuGUI::ZuWindow*, const char* provider) override
    {
        Require(provider != nullptr, "a null provider unsubscribed");
    }

    const char* GetLocalizedText(const char* key) override
    {
        Require(key != nullptr, "a null localisation key");
        return TextAnswer(m_localizedText);
    }

    const char* CallScriptRetString(const char* function, int) override
    {
        Require(function != nullptr, "a string script call without a function");
        ++calls.scripts;
        return TextAnswer(m_scriptString);
    }

    const char* GetFontName(int) override
    {
        FuzzReader answer = Answers();
        if (answer.AtEnd())
            return nullptr;
        static const char* const kFontNames[] = {nullptr, "", kDefaultFont, "DejaVuSans-8",
                                                 "NoSuchFont"};
        const std::uint8_t which = answer.Byte();
        if (which % 6 == 5)
        {
            m_fontName = answer.BytesBeforeZero(kTextLimit);
            return m_fontName.c_str();
        }
        return kFontNames[which % 6 % 5];
    }

    void CallScriptIntStr(const char* function, int, const char* text) override
    {
        Require(function && text, "a script call with a null function or text");
        ++calls.scripts;
    }
    void PlayUISound(int, int, const char* sound) override
    {
        Require(sound != nullptr, "a null sound");
    }
    void NotifyWindowDestroyed(const char* windowName) override
    {
        Require(windowName != nullptr, "a destroyed window without a name");
    }

    const float* GetUITime() override { return hasClock ? &uiTime : nullptr; }

    int CallScriptRetInt(const char* function, int) override
    {
        Require(function != nullptr, "an int script call without a function");
        ++calls.scripts;
        FuzzReader answer = Answers();
        if (answer.AtEnd())
            return 0;
        switch (answer.Byte() % 4)
        {
        case 0:
            return 0;
        case 1:
            return Pick(kInterestingInts, answer.Byte());
        default:
            return static_cast<int>(answer.LittleEndian32());
        }
    }

    void ReportCmdTextPos(const char* text, const char* window, int, int, int) override
    {
        Require(text && window, "a command text position with a null text or window");
    }

    ZuGUI::InterfaceFactoryFunction GetInterfaceFactory(int) override
    {
        FuzzReader answer = Answers();
        return m_makesWebControls && answer.Byte(1) % 4 != 0 ? &MakeInterface : nullptr;
    }

    ZuGUI::HWND* GetMainWindowHandle() override
    {
        switch (Answers().Byte(1) % 3)
        {
        case 0:
            return nullptr;
        case 1:
            return &m_noWindow;
        default:
            return &m_mainWindow;
        }
    }

    bool AdjustWebRect(ZuGUI::RECT* rect, int) override
    {
        Require(rect != nullptr, "a null web rectangle");
        FuzzReader answer = Answers();
        const std::uint8_t how = answer.Byte();
        if (how & 2)
        {
            rect->left = Pick(kInterestingLongs, answer.Byte());
            rect->top = Pick(kInterestingLongs, answer.Byte());
            rect->right = Pick(kInterestingLongs, answer.Byte());
            rect->bottom = Pick(kInterestingLongs, answer.Byte());
        }
        return (how & 1) == 0;
    }

    static FuzzHost* s_current;

private:
    FuzzReader Answers() { return m_script->Back(); }

    // A reaction may make the module call the client again, which may react again: as deep as
    // a client's scripts plausibly nest.
    void React()
    {
        constexpr int kMaxReactionDepth = 3;
        if (!reaction || m_reactionDepth >= kMaxReactionDepth)
            return;
        ++calls.reactions;
        ++m_reactionDepth;
        FuzzReader answer = Answers();
        try
        {
            reaction(answer);
        }
        catch (...)
        {
            --m_reactionDepth;
            throw;
        }
        --m_reactionDepth;
    }

    // null, "", a text, a long run of a text, or bytes that no code page reads as meant; the
    // client keeps each function's last text until its next call.
    const char* TextAnswer(std::string& kept)
    {
        FuzzReader answer = Answers();
        if (answer.AtEnd())
            return nullptr;
        static const char* const kOddTexts[] = {
            "\xC3\xA9\xE4\xB8\xAD",
            "\x81\x40\xFF\xFE",
            "\xED\xA0\x80",
            "\xF4\x90\x80\x80",
            "\xE4\xB8",
            "{I 5:[x]}",
            "{",
            "%s%n%d",
        };
        const std::uint8_t how = answer.Byte();
        switch (how % 8)
        {
        case 0:
            return nullptr;
        case 1:
            kept.clear();
            break;
        case 6:
            kept = Repeated(answer.BytesBeforeZero(kTextLimit), (answer.Byte() + 1u) * 64u);
            break;
        case 7:
            kept = Pick(kOddTexts, answer.Byte());
            break;
        default:
            kept = answer.BytesBeforeZero(kTextLimit);
            break;
        }
        return kept.c_str();
    }

    static std::string Repeated(const std::string& piece, std::size_t times)
    {
        std::string text;
        const std::string unit = piece.empty() ? std::string("x") : piece;
        while (times-- > 0 && text.size() + unit.size() <= kHugeAnswerLimit)
            text += unit;
        return text;
    }

    void AddReplyKeys(FuzzReader& answer, KeyValues& tree, int count, int depth)
    {
        for (int i = 0; i < count && !answer.AtEnd(); ++i)
            AddReplyKey(answer, tree, depth);
    }

    // One key of a reply: a name the module reads or any name (empty, longer than a key may
    // be, a path), with a value of any type, a subtree or a long chain of subtrees.
    void AddReplyKey(FuzzReader& answer, KeyValues& tree, int depth)
    {
        static const char* const kReplyKeys[] = {
            ZuGUI::HostTrees::kPropertyStringValue,
            ZuGUI::HostTrees::kGameObjectTooltipValue,
            ZuGUI::HostTrees::kGameObjectCompareId,
            ZuGUI::HostTrees::kCreatureId,
            ZuGUI::HostTrees::kCellId,
            ZuGUI::HostTrees::kObjectId,
            ZuGUI::HostTrees::kWhichOne,
            "",
        };
        const std::uint8_t how = answer.Byte();
        const std::string name =
            how % 4 != 3 ? std::string(Pick(kReplyKeys, how >> 2)) : answer.BytesBeforeZero(512);
        const char* key = name.c_str();
        switch (answer.Byte() % 9)
        {
        case 0:
            tree.SetInt(key, Pick(kInterestingInts, answer.Byte()));
            break;
        case 1:
            tree.SetInt(key, static_cast<int>(answer.LittleEndian32()));
            break;
        case 2:
            tree.SetFloat(key, ZuFuzz::FloatOfBits(answer.LittleEndian32()));
            break;
        case 3:
            tree.SetString(key, answer.BytesBeforeZero(kTextLimit).c_str());
            break;
        case 4:
            tree.SetString(
                key, Repeated(answer.BytesBeforeZero(64), (answer.Byte() + 1u) * 256u).c_str());
            break;
        case 5:
        {
            // UTF-16 units in pairs of bytes, lone surrogates included.
            const std::string bytes = answer.BytesBeforeZero(kTextLimit);
            std::u16string wide;
            for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            {
                const char16_t unit =
                    static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                          static_cast<unsigned char>(bytes[i + 1]));
                if (unit != 0)
                    wide.push_back(unit);
            }
            tree.SetWString(key, wide.c_str());
            break;
        }
        case 6:
            tree.SetPtr(
                key, reinterpret_cast<void*>(static_cast<std::uintptr_t>(answer.LittleEndian(8))));
            break;
        case 7:
            if (depth < kMaxReplyDepth)
            {
                if (KeyValues* child = tree.FindKey(key, true))
                    AddReplyKeys(answer, *child, 1 + answer.Byte() % 3, depth + 1);
            }
            break;
        default:
        {
            std::string path = name;
            for (int level = answer.Byte() % 64; level >= 0; --level)
                path += "/Sub";
            tree.SetString(path.c_str(), answer.BytesBeforeZero(64).c_str());
            break;
        }
        }
    }

    static void* MakeInterface(const char* name, int* returnCode)
    {
        Require(name != nullptr, "a null interface name");
        FuzzHost* host = s_current;
        const bool makes = host && host->m_script && host->Answers().Byte(1) % 4 != 0 &&
                           std::strcmp(name, ZuGUI::kWebCtrlInterfaceName) == 0;
        if (returnCode)
            *returnCode = makes ? 0 : -1;
        return makes ? static_cast<ZuGUI::IWebCtrl*>(new FakeWebCtrl(host->m_aliveWebControls))
                     : nullptr;
    }

    FuzzInput* m_script = nullptr;
    bool m_makesWebControls = false;
    std::vector<ZuGUI::ZuWindow*> m_windows;
    std::map<int, int> m_heldItems;
    int m_aliveWebControls = 0;
    std::string m_localizedText;
    std::string m_scriptString;
    std::string m_fontName;
    int m_reactionDepth = 0;
    ZuGUI::HWND m_noWindow = nullptr;
    // The handle of the game's main window: the module only hands it back to the platform.
    int m_mainWindowObject = 0;
    ZuGUI::HWND m_mainWindow = reinterpret_cast<ZuGUI::HWND>(&m_mainWindowObject);
};

FuzzHost* FuzzHost::s_current = nullptr;

// ---------------------------------------------------------------------------------------------
// CEGUI on the NullRenderer with TaharezLook and the sample skin, the game client, the
// desktop's clipboard and the client's renderer of game images, once per process.
struct FuzzWorld
{
    FuzzWorld() : cegui(ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR)
    {
        CEGUI::Exception::setStdErrEnabled(false);
        CEGUI::System& system = CEGUI::System::getSingleton();
        static_cast<CEGUI::NullRenderer*>(system.getRenderer())->setDisplaySize(kDisplaySize);
        system.notifyDisplaySizeChanged(kDisplaySize);
        CEGUI::SchemeManager::getSingleton().createFromFile("TaharezLook.scheme");
        CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kDefaultFont) + ".font");
        CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
        ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
        for (std::uint16_t set = 0; set < 6; ++set)
        {
            for (std::uint16_t index = 0; index < 6; ++index)
                pictures.Add(set, index, 8u * set + index, 40u - 7u * index);
        }
        pictures.Add(4, 14699, 600, 5); // wider than every window
        FuzzHost::s_current = &host;
        // One window of each type that the skin maps, in the order of their names.
        for (auto mapping =
                 CEGUI::WindowFactoryManager::getSingleton().getFalagardMappingIterator();
             !mapping.isAtEnd(); ++mapping)
        {
            const CEGUI::String& type = mapping.getCurrentKey();
            if (type.compare(0, kSkinPrefix.length(), kSkinPrefix) == 0)
                types.push_back(type);
        }
        std::sort(types.begin(), types.end());
        Require(!types.empty(), "the skin maps no window types");
    }

    ZuTest::ScopedHeadlessCegui cegui;
    ZuTest::TestPictureSource pictures;
    ZuTest::FakeRenderProxies proxies;
    ZuTest::TestClipboard clipboard;
    FuzzHost host;
    std::vector<CEGUI::String> types;
};

FuzzWorld& World()
{
    // Never destroyed: CEGUI cannot be shut down once the statics of the modules that its
    // schemes loaded (this one among them) are gone.
    static auto* world = new FuzzWorld;
    return *world;
}

// ---------------------------------------------------------------------------------------------
// Property values: texts of the input, long runs of them, numbers and words the widgets read.
CEGUI::String PropertyValue(FuzzReader& input)
{
    static const char* const kWords[] = {
        "True",
        "False",
        "1",
        "0",
        "-1",
        "yes",
        "4294967295",
        "4294967296",
        "-2147483648",
        "2147483647",
        "1e30",
        "-1e30",
        "nan",
        "inf",
        "-0",
        "0.5",
        " 12abc",
        "0x10",
        "Word",
        "Character",
        "Broad",
        "RenderIcon",
        "RenderMap",
        "Item",
        "Spell",
        "Shortcut",
        "ShortcutItem",
        "SpellInSet",
        "GangTech",
        "CsmKey",
        "FF00FF00",
        "tl:FF000000 tr:FFFFFFFF bl:00000000 br:80808080",
        "ZZZZZZZZ",
        kDefaultFont,
        "DejaVuSans-8",
        "NoSuchFont",
        "{{0,0},{0,0}}",
        "{{0,40},{0,30}}",
        "{{1,-5},{0.5,0}}",
        "{{0,-100},{0,-100}}",
        "{{0,5000},{0,3000}}",
        "{{0,1},{0,1}}",
        "{N Alice}: {T red:hi} {I 0x1F:[Sword]}",
        "{H http://example.com:link}",
        "{Ak 10,-1}x{P 1:2}{E 12}",
        "http://example.com/",
        "javascript:alert(1)",
        "#sys_key",
    };
    switch (input.Byte() % 8)
    {
    case 0:
        return input.CodePoints<CEGUI::String>(kTextLimit, true);
    case 1:
        return Pick(kWords, input.Byte());
    case 2:
        return CEGUI::PropertyHelper<int>::toString(static_cast<int>(input.LittleEndian32()));
    case 3:
        return CEGUI::PropertyHelper<CEGUI::uint>::toString(input.LittleEndian32());
    case 4:
    {
        const float value = ZuFuzz::FloatOfBits(input.LittleEndian32());
        char text[64];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
        return text;
    }
    case 5:
    {
        char text[16];
        std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(input.LittleEndian32()));
        return text;
    }
    case 6:
    {
        const CEGUI::String piece = input.CodePoints<CEGUI::String>(64, true);
        const std::size_t times = (input.Byte() + 1u) * 16u;
        CEGUI::String text;
        text.reserve(kLongTextLimit); // CEGUI's strings grow to the exact size at each append
        for (std::size_t i = 0; i < times && text.length() + piece.length() <= kLongTextLimit; ++i)
            text += piece.empty() ? CEGUI::String("x") : piece;
        return text;
    }
    default:
        return CEGUI::String();
    }
}

// The windows alive in CEGUI.
std::size_t CountWindows()
{
    std::size_t count = 0;
    for (auto it = CEGUI::WindowManager::getSingleton().getIterator(); !it.isAtEnd(); ++it)
        ++count;
    return count;
}

// The properties the module declares on `window` that can be written, or read, by name.
std::vector<CEGUI::String> ModuleProperties(const CEGUI::Window& window, bool written)
{
    std::vector<CEGUI::String> names;
    for (auto it = window.getPropertyIterator(); !it.isAtEnd(); ++it)
    {
        const CEGUI::Property& property = *it.getCurrentValue();
        if (property.getOrigin() == kModuleOrigin &&
            (written ? property.isWritable() : property.isReadable()))
            names.push_back(property.getName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// CEGUI's properties that change what the widgets show or how they lay it out.
const char* const kCeguiProperties[] = {
    "Text",     "Font",        "Size",           "Position",        "Visible",
    "Disabled", "TooltipText", "MaxTextLength",  "ReadOnly",        "Alpha",
    "WordWrap", "CaretIndex",  "SelectionStart", "SelectionLength", "VertScrollPosition",
};

// ---------------------------------------------------------------------------------------------
class Scene
{
public:
    Scene(FuzzWorld& world, std::uint8_t setup)
        : m_world(world),
          m_context(CEGUI::System::getSingleton().createGUIContext(
              CEGUI::System::getSingleton().getRenderer()->getDefaultRenderTarget()))
    {
        m_context.setDefaultFont(kDefaultFont);
        // The NullRenderer leaves the pointer's constraint area unset, which would keep injected
        // pointer positions off every window.
        const CEGUI::Rectf display(CEGUI::Vector2f(0.0f, 0.0f), kDisplaySize);
        m_context.getMouseCursor().setConstraintArea(&display);
        if (setup & 8)
            m_context.setDefaultTooltipType("ZuLook/Tooltip");
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        m_root = windows.createWindow("DefaultWindow", "Root");
        m_root->setArea(CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0),
                                     CEGUI::UDim(1, 0)));
        m_context.setRootWindow(m_root);
        for (std::size_t i = 0; i < world.types.size(); ++i)
            m_windows.push_back(Make(i));
    }

    ~Scene()
    {
        m_context.setRootWindow(nullptr);
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        // One by one: a hidden tool tip leaves its parent, so the root's tree may not hold it.
        for (CEGUI::Window* window : m_windows)
        {
            if (window)
                windows.destroyWindow(window);
        }
        windows.destroyWindow(m_root);
        windows.cleanDeadPool();
        CEGUI::System::getSingleton().destroyGUIContext(m_context);
    }

    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    CEGUI::GUIContext& Context() { return m_context; }
    std::size_t Count() const { return m_windows.size(); }
    // The window in the `byte`th place, made again if the client closed it.
    CEGUI::Window& At(std::uint8_t byte)
    {
        CEGUI::Window*& window = m_windows[byte % m_windows.size()];
        if (!window)
            window = Make(byte % m_windows.size());
        return *window;
    }
    // The window in the `byte`th place, or null while the client has it closed.
    CEGUI::Window* Existing(std::uint8_t byte) const { return m_windows[byte % m_windows.size()]; }

    // The client's script closes a window; its place stays empty until a step needs it.
    void Close(std::uint8_t byte)
    {
        CEGUI::Window*& window = m_windows[byte % m_windows.size()];
        CEGUI::Window* closed = window;
        window = nullptr;
        if (closed)
            CEGUI::WindowManager::getSingleton().destroyWindow(closed);
    }

    void Recreate(std::uint8_t byte)
    {
        Close(byte);
        At(byte);
    }

private:
    // A window of the `index`th type, in its cell of a grid over the display.
    CEGUI::Window* Make(std::size_t index)
    {
        constexpr std::size_t kColumns = 6;
        constexpr float kCellWidth = 170.0f;
        constexpr float kCellHeight = 150.0f;
        CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(
            m_world.types[index],
            "W" + CEGUI::PropertyHelper<CEGUI::uint>::toString(static_cast<CEGUI::uint>(m_made++)));
        window->setPosition(CEGUI::UVector2(CEGUI::UDim(0, 2 + kCellWidth * (index % kColumns)),
                                            CEGUI::UDim(0, 2 + kCellHeight * (index / kColumns))));
        window->setSize(
            CEGUI::USize(CEGUI::UDim(0, kCellWidth - 4), CEGUI::UDim(0, kCellHeight - 4)));
        m_root->addChild(window);
        Furnish(*window);
        return window;
    }

    // The parts that a window of its kind has in a game: pages of a tab control, columns and
    // rows of a list.
    static void Furnish(CEGUI::Window& window)
    {
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        if (auto* tabs = dynamic_cast<CEGUI::TabControl*>(&window))
        {
            for (const char* name : {"All", "Notes"})
            {
                CEGUI::Window* page = windows.createWindow("DefaultWindow", name);
                page->setText(name);
                CEGUI::Window* view = windows.createWindow("ZuLook/GameMultiLine", "View");
                view->setArea(CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0),
                                           CEGUI::UDim(1, 0)));
                view->setText("{N Bob}: a line on the page");
                page->addChild(view);
                tabs->addTab(page);
            }
        }
        else if (auto* list = dynamic_cast<CEGUI::MultiColumnList*>(&window))
        {
            list->addColumn("Name", 0, CEGUI::UDim(0.5f, 0));
            list->addColumn("Level", 1, CEGUI::UDim(0.5f, 0));
            for (int row = 0; row < 6; ++row)
            {
                const CEGUI::uint added = list->addRow();
                list->setItem(new CEGUI::ListboxTextItem("row"), 0, added);
                list->setItem(new CEGUI::ListboxTextItem(CEGUI::PropertyHelper<int>::toString(row)),
                              1, added);
            }
        }
    }

    FuzzWorld& m_world;
    CEGUI::GUIContext& m_context;
    CEGUI::Window* m_root = nullptr;
    std::vector<CEGUI::Window*> m_windows;
    std::size_t m_made = 0;
};

// ---------------------------------------------------------------------------------------------
// The longest step of the input so far, for ZU_FUZZ_VERBOSE.
double g_longestStep = 0.0;
const char* g_longestStepName = "";

// Runs `step` against its time budget; an exception that leaves it fails the input.
template <typename Step>
void Timed(const char* name, Step&& step)
{
    const ZuFuzz::ThreadStopwatch stopwatch;
    try
    {
        step();
    }
    catch (const CEGUI::Exception& e)
    {
        Fail((std::string("an exception left ") + name).c_str(), e.getMessage().c_str());
    }
    catch (const std::exception& e)
    {
        Fail((std::string("an exception left ") + name).c_str(), e.what());
    }
    catch (...)
    {
        Fail((std::string("an exception left ") + name).c_str(), "unknown");
    }
    const double took = stopwatch.Seconds();
    if (took > g_longestStep)
    {
        g_longestStep = took;
        g_longestStepName = name;
    }
    if (took > kStepSeconds * ZuFuzz::TimeBudgetScale())
    {
        char detail[64];
        std::snprintf(detail, sizeof detail, "%.3f s", took);
        Fail((std::string(name) + " took longer than its budget").c_str(), detail);
    }
}

// The client's clock at a frame: it runs with the frame, stops, jumps, runs backwards, becomes
// no number, or the client keeps none.
void MoveClock(FuzzHost& host, std::uint8_t how, float elapsed)
{
    host.hasClock = true;
    switch (how % 12)
    {
    case 0:
    case 1:
    case 2:
    case 3:
        host.uiTime += elapsed;
        break;
    case 4:
        break;
    case 5:
        host.uiTime += 10000.0f;
        break;
    case 6:
        host.uiTime -= 5.0f;
        break;
    case 7:
        host.uiTime = 0.0f;
        break;
    case 8:
        host.uiTime = std::numeric_limits<float>::quiet_NaN();
        break;
    case 9:
        host.uiTime = std::numeric_limits<float>::infinity();
        break;
    case 10:
        // So late that a frame no longer moves the clock.
        host.uiTime = 1.0e9f;
        break;
    default:
        host.hasClock = false;
        break;
    }
}

// Whether CEGUI's update or draw pass runs: it walks the window tree, which no one may change
// meanwhile, CEGUI's own windows included.
bool g_inPass = false;

struct PassScope
{
    PassScope() { g_inPass = true; }
    ~PassScope() { g_inPass = false; }
};

void RunFrame(Scene& scene, float elapsed)
{
    CEGUI::System& system = CEGUI::System::getSingleton();
    const PassScope pass;
    Timed("the update pass",
          [&]
          {
              system.injectTimePulse(elapsed);
              scene.Context().injectTimePulse(elapsed);
          });
    Timed("the draw pass",
          [&]
          {
              system.getRenderer()->beginRendering();
              system.renderAllGUIContexts();
              system.getRenderer()->endRendering();
          });
}

CEGUI::MouseButton Button(std::uint8_t byte)
{
    static const CEGUI::MouseButton kButtons[] = {CEGUI::LeftButton, CEGUI::LeftButton,
                                                  CEGUI::RightButton, CEGUI::MiddleButton,
                                                  CEGUI::X1Button};
    return Pick(kButtons, byte);
}

// A point on, or just beside, a window of the scene.
CEGUI::Vector2f PointOn(CEGUI::Window& window, std::uint8_t x, std::uint8_t y)
{
    const CEGUI::Rectf area = window.getUnclippedOuterRect().get();
    return CEGUI::Vector2f(area.left() - 8.0f + (area.getWidth() + 16.0f) * x / 255.0f,
                           area.top() - 8.0f + (area.getHeight() + 16.0f) * y / 255.0f);
}

// The keys that edit boxes, lists and scroll bars act on; -1, -2 and -3 are the copy, cut and
// paste requests of the desktop.
const int kKeys[] = {
    CEGUI::Key::Backspace,
    CEGUI::Key::Delete,
    CEGUI::Key::ArrowLeft,
    CEGUI::Key::ArrowRight,
    CEGUI::Key::ArrowUp,
    CEGUI::Key::ArrowDown,
    CEGUI::Key::Home,
    CEGUI::Key::End,
    CEGUI::Key::PageUp,
    CEGUI::Key::PageDown,
    CEGUI::Key::Return,
    CEGUI::Key::NumpadEnter,
    CEGUI::Key::Tab,
    CEGUI::Key::Escape,
    CEGUI::Key::LeftShift,
    CEGUI::Key::RightShift,
    CEGUI::Key::LeftControl,
    CEGUI::Key::RightControl,
    CEGUI::Key::LeftAlt,
    CEGUI::Key::A,
    CEGUI::Key::C,
    CEGUI::Key::V,
    CEGUI::Key::X,
    CEGUI::Key::Z,
    CEGUI::Key::Y,
    CEGUI::Key::Space,
    CEGUI::Key::Insert,
    CEGUI::Key::F1,
    -1,
    -2,
    -3,
};

void PressKey(CEGUI::GUIContext& context, std::uint8_t which, std::uint8_t mode)
{
    const int key = Pick(kKeys, which);
    if (key == -1)
        context.injectCopyRequest();
    else if (key == -2)
        context.injectCutRequest();
    else if (key == -3)
        context.injectPasteRequest();
    else
    {
        const auto scan = static_cast<CEGUI::Key::Scan>(key);
        if (mode % 3 != 2)
            context.injectKeyDown(scan);
        if (mode % 3 != 1)
            context.injectKeyUp(scan);
    }
}

void WriteProperty(CEGUI::Window& window, const CEGUI::String& name, const CEGUI::String& value)
{
    Timed("a property write",
          [&]
          {
              try
              {
                  window.setProperty(name, value);
              }
              catch (const CEGUI::Exception&)
              {
                  // CEGUI refuses a malformed value this way.
                  return;
              }
              if (!window.isPropertyPresent(name))
                  return;
              const CEGUI::Property* property = window.getPropertyInstance(name);
              if (!property->isReadable())
                  return;
              // What a property reads back is what a saved layout writes: it must be taken.
              const CEGUI::String stored = window.getProperty(name);
              try
              {
                  window.setProperty(name, stored);
              }
              catch (const CEGUI::Exception&)
              {
                  Fail("a property refused its own value", (name + " = " + stored).c_str());
              }
          });
}

// A client's script reacting inside a query or a command: it sets a window's text or one of
// the module's properties, shows or hides it, asks it to fetch its data again, or, outside
// CEGUI's passes, closes it.
void ReactAsClient(Scene& scene, FuzzReader& answer)
{
    const std::uint8_t what = answer.Byte();
    const std::uint8_t which = answer.Byte();
    CEGUI::Window* window = scene.Existing(which);
    if (!window)
        return;
    switch (what % 6)
    {
    case 0:
        WriteProperty(*window, "Text", PropertyValue(answer));
        break;
    case 1:
    {
        const std::vector<CEGUI::String> names = ModuleProperties(*window, true);
        const std::uint8_t property = answer.Byte();
        const CEGUI::String value = PropertyValue(answer);
        if (!names.empty())
            WriteProperty(*window, names[property % names.size()], value);
        break;
    }
    case 2:
        window->setVisible(!window->isVisible());
        break;
    case 3:
        if (auto* gameWindow = dynamic_cast<ZuGUI::ZuWindow*>(window))
            gameWindow->requestUpdate();
        break;
    default:
        if (!g_inPass)
            scene.Close(which);
        break;
    }
}

struct RunState
{
    int steps = 0;
    int frames = 0;
    bool hostSet = false;
    // The client went away after it was there: what it was told may not balance.
    bool hostLeft = false;
};

void SetHost(FuzzWorld& world, RunState& state, bool present)
{
    if (state.hostSet && !present)
    {
        state.hostLeft = true;
        world.host.Forget();
    }
    state.hostSet = present;
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(present ? &world.host : nullptr);
}

void RunStep(FuzzWorld& world, Scene& scene, FuzzReader& input, RunState& state)
{
    CEGUI::GUIContext& context = scene.Context();
    const std::uint8_t step = input.Byte();
    switch (step % 16)
    {
    case 0: // nothing: zero bytes between the steps and the client's answers stay idle
        break;
    case 1: // a frame: its elapsed time and the client's clock
    {
        static const float kElapsed[] = {1.0f / 60, 0.0f, 0.001f, 0.1f,   0.5f,
                                         1.0f,      3.0f, 10.0f,  100.0f, 1.0e6f};
        const float elapsed = Pick(kElapsed, input.Byte());
        MoveClock(world.host, input.Byte(), elapsed);
        if (state.frames++ < kMaxFrames)
            RunFrame(scene, elapsed);
        break;
    }
    case 2: // the pointer onto a window
    {
        CEGUI::Window& window = scene.At(input.Byte());
        const std::uint8_t x = input.Byte();
        const CEGUI::Vector2f point = PointOn(window, x, input.Byte());
        Timed("a pointer move", [&] { context.injectMousePosition(point.d_x, point.d_y); });
        break;
    }
    case 3: // the pointer anywhere, off the display too
    {
        const float x = input.Byte() * 5.0f - 100.0f;
        const float y = input.Byte() * 4.0f - 100.0f;
        Timed("a pointer move", [&] { context.injectMousePosition(x, y); });
        break;
    }
    case 4:
    {
        const CEGUI::MouseButton button = Button(input.Byte());
        Timed("a button press", [&] { context.injectMouseButtonDown(button); });
        break;
    }
    case 5:
    {
        const CEGUI::MouseButton button = Button(input.Byte());
        Timed("a button release", [&] { context.injectMouseButtonUp(button); });
        break;
    }
    case 6: // a click on a window
    {
        CEGUI::Window& window = scene.At(input.Byte());
        const std::uint8_t x = input.Byte();
        const CEGUI::Vector2f point = PointOn(window, x, input.Byte());
        const CEGUI::MouseButton button = Button(input.Byte());
        Timed("a click",
              [&]
              {
                  context.injectMousePosition(point.d_x, point.d_y);
                  context.injectMouseButtonDown(button);
                  context.injectMouseButtonUp(button);
              });
        break;
    }
    case 7:
    {
        const float delta = static_cast<std::int8_t>(input.Byte()) / 4.0f;
        Timed("a wheel turn", [&] { context.injectMouseWheelChange(delta); });
        break;
    }
    case 8:
    {
        const std::uint8_t which = input.Byte();
        const std::uint8_t mode = input.Byte();
        Timed("a key", [&] { PressKey(context, which, mode); });
        break;
    }
    case 9:
    {
        const CEGUI::utf32 character = input.CodePointFrom(input.Byte());
        Timed("a character", [&] { context.injectChar(character); });
        break;
    }
    case 10: // a property of the module
    case 11:
    {
        CEGUI::Window& window = scene.At(input.Byte());
        const std::vector<CEGUI::String> names = ModuleProperties(window, true);
        const std::uint8_t which = input.Byte();
        const CEGUI::String value = PropertyValue(input);
        if (!names.empty())
            WriteProperty(window, names[which % names.size()], value);
        break;
    }
    case 12: // a property of CEGUI's that the widgets follow
    {
        CEGUI::Window& window = scene.At(input.Byte());
        const CEGUI::String name = Pick(kCeguiProperties, input.Byte());
        const CEGUI::String value = PropertyValue(input);
        if (window.isPropertyPresent(name))
            WriteProperty(window, name, value);
        break;
    }
    case 13: // the client: leaves, comes back, asks windows to fetch their data again, or reads
             // a property as its scripts do
    {
        const std::vector<ZuGUI::ZuWindow*>& windows = world.host.Windows();
        switch (input.Byte() % 5)
        {
        case 0:
            SetHost(world, state, false);
            break;
        case 1:
            SetHost(world, state, true);
            break;
        case 2:
        {
            const std::uint8_t which = input.Byte();
            if (!windows.empty())
                windows[which % windows.size()]->requestUpdate();
            break;
        }
        case 3:
            for (ZuGUI::ZuWindow* window : windows)
                window->requestUpdate();
            break;
        default:
        {
            CEGUI::Window& window = scene.At(input.Byte());
            const std::vector<CEGUI::String> names = ModuleProperties(window, false);
            const std::uint8_t which = input.Byte();
            if (!names.empty())
                Timed("a property read", [&] { window.getProperty(names[which % names.size()]); });
            break;
        }
        }
        break;
    }
    case 14: // what the desktop's clipboard holds
    {
        const std::uint8_t kind = input.Byte();
        const std::string text = input.BytesBeforeZero(ZuGUI::kClipboardTextLimit + 16);
        world.clipboard.Hold(text, kind % 4 != 3 ? "text/plain" : "text/html");
        break;
    }
    default: // a window made again
    {
        const std::uint8_t which = input.Byte();
        Timed("the remaking of a window", [&] { scene.Recreate(which); });
        break;
    }
    }
}

void ResetModuleState(FuzzWorld& world, std::uint8_t setup)
{
    static const char* const kCodePages[] = {"CP1252", "GBK", "SHIFT_JIS", "UTF-8"};
    SetSystemCodePage(Pick(kCodePages, setup));
    ZuGUI::ForgetSharedRenderProxyIds();
    ZuGUI::CopyRichText(ZuGUI::CopiedText{});
    world.clipboard.Hold("");
    world.proxies.bindings.clear();
    world.proxies.draws.clear();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzWorld& world = World();
    FuzzInput script(data, size);
    FuzzReader input = script.Front();
    const std::uint8_t setup = input.Byte();
    ResetModuleState(world, setup);
    world.host.Begin(script, (setup & 16) != 0);
    RunState state;
    g_longestStep = 0.0;
    const std::size_t windowsBefore = CountWindows();
    SetHost(world, state, (setup & 4) == 0);
    {
        Scene scene(world, setup);
        world.host.reaction = [&scene](FuzzReader& answer) { ReactAsClient(scene, answer); };
        RunFrame(scene, 0.0f);
        for (; state.steps < kMaxSteps && !input.AtEnd(); ++state.steps)
            RunStep(world, scene, input, state);
        // The last updates the steps asked for.
        RunFrame(scene, 1.0f / 60);
        world.host.reaction = nullptr;
    }
    if (state.hostSet && !state.hostLeft)
    {
        Require(!world.host.HoldsItemReferences(),
                "an item reference held after every window is gone");
        Require(world.host.Windows().empty(), "a window registered after every window is gone");
    }
    Require(world.host.AliveWebControls() == 0, "a web control was not released");
    Require(CountWindows() == windowsBefore, "a window outlived the scene that made it");
    SetHost(world, state, false);
    world.host.End();
    if (std::getenv("ZU_FUZZ_VERBOSE"))
    {
        const FuzzHost::Calls& calls = world.host.calls;
        std::fprintf(stderr,
                     "steps %d frames %d queries %d answered %d commands %d scripts %d "
                     "reactions %d longest %s %.4f s\n",
                     state.steps, state.frames, calls.queries, calls.answered, calls.commands,
                     calls.scripts, calls.reactions, g_longestStepName, g_longestStep);
    }
    return 0;
}
