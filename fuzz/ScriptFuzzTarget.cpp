// Fuzz target of the script binding: the input is a program of calls of the module's Lua
// binding, made through lua_pcall on a state that has both the module's binding and CEGUI's,
// mixed with the host's actions on the widgets that the scripts reach; after every step the GUI
// takes a time pulse and is drawn. A tolua++ error raised as a Lua error is the expected answer
// to a bad call; a crash, a sanitizer report, an exception out of a call or out of CEGUI's
// update or draw, a step over its time budget or a broken promise of the binding fails.
//
// Input: byte 0 holds flags (bit 0: the module's binding opens before CEGUI's; bits 1-2: the
// system code page, C locale, CP1252, UTF-8 or GBK). Then steps follow until the input ends, at
// most kMaxSteps:
//
//   step      op [count] argument...
//   op % 32   below the number of callees (kCallees): a call of that callee. Bit 5 looks the
//             member up on the first argument (self[name](self, ...)) instead of taking it from
//             its class; bits 6-7 give the arguments: 0 the callee's own object as self and one
//             decoded argument per parameter, 1 one fewer, 2 one more, 3 a count byte (% 8) and
//             that many decoded arguments, self included.
//             Otherwise a host action (HostAction, op % 32 less the number of callees) with
//             op >> 5 as its parameter.
//   argument  kind byte (% 19) and its payload: 0 nil, 1 false, 2 true, 3 a small integer (a
//             signed byte), 4 a 32-bit integer (4 bytes), 5 a double of any 8 bytes (NaN
//             payloads, infinities, subnormals), 6 a number of kSpecialNumbers (1 byte), 7 a
//             short string (length byte and bytes), 8 a long string (2 length bytes, at most
//             kLongStringBytes, of a piece, length byte and bytes, repeated), 9 a text of kTexts
//             (1 byte), 10 a path of g_paths (1 byte), 11 a table (1 byte), 12 an object of the
//             target (1 byte, ObjectArgument), 13 a value kept from the results of earlier calls
//             (1 byte), 14 a light userdata (1 byte: null or not), 15 a C function, 16 a
//             coroutine, 17 a class table of the bindings (1 byte), 18 a numeric string (1 byte).
//
// Objects passed are of the class they are pushed as (or a base of it), or plainly another
// Lua value: no object is cast to a class it is not. File browsing stays in a scratch tree
// that the target makes under the temporary folder (the folder manager starts inside it, the
// home folder is set to it): a string that OpenPath gets is a path of g_paths, a path inside
// the tree, or else the tree's root, so that listings stay small. The colour table lasts for
// the process: the names registered are cut to kColourNameBytes.
//
// Besides crashes, the target checks what the binding promises: an entry's texts and a
// selected text are UTF-8, getFileAt gives an entry exactly for a whole number below the
// count, a push with a capacity is taken, sizes are finite, and the chat item references that
// the views took are released once the windows are gone. ZU_FUZZ_VERBOSE=1 prints each
// step's op, outcome and seconds.
#include "FuzzTimeBudget.h"
#include "support/FuzzInput.h"
#include "support/RecordingHost.h"
#include "support/text/HeadlessCegui.h"

#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/shell/FileFolderMgr.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/ListboxImageItem.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/ScriptModules/Lua/ScriptModule.h>

#include <lualib.h>
#include <tolua++.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

constexpr int kMaxSteps = 64;
constexpr std::size_t kLongStringBytes = 40000;
constexpr int kKeptValues = 16;
constexpr std::size_t kColourNameBytes = 16;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

void Fail(const std::string& what)
{
    std::fprintf(stderr, "script fuzz: %s\n", what.c_str());
    std::abort();
}

void Check(bool condition, const std::string& what)
{
    if (!condition)
        Fail(what);
}

// The objects that a callee's natural first argument is.
enum class Self
{
    None,     // a free function
    Class,    // a static member: its class table
    Colours,  // the colour table
    Chat,     // the chat box
    View,     // the newest shown message's view, else the lone view
    LoneView, // the view outside the chat box
    Edit,     // the edit box
    Icon,     // the item icon
    Folders,  // the folder manager
    Files,    // the folder manager's last listing
    Entry,    // the newest kept entry of a listing
};

struct Callee
{
    const char* owner; // the class table (or module) that holds the function
    const char* name;
    Self self;
    int parameters; // besides self
};

// Every function and member of ZuGUIElements.pkg, and setText, which the module's classes
// inherit from CEGUI's binding, on both kinds of window that scripts write into.
const Callee kCallees[] = {
    {"ZuGUI.TextParser.CColorPropertyManager", "Instance", Self::Class, 0},
    {"ZuGUI.TextParser.CColorPropertyManager", "RegisterColorByString", Self::Colours, 3},
    {"ZuGUI.TextParser.CColorPropertyManager", "SetClickColorByString", Self::Colours, 3},
    {"CEGUI", "createListboxImageItem", Self::None, 5},
    {"ZuGUI.CGameEditBox", "getCaratOffset", Self::Edit, 0},
    {"ZuGUI.CGameChatBox", "PushChatText", Self::Chat, 1},
    {"ZuGUI.CGameChatBox", "getSelectedText", Self::Chat, 0},
    {"SHELL.FileInfo", "getDspNameUtf8", Self::Entry, 0},
    {"SHELL.FileInfo", "getLocationUtf8", Self::Entry, 0},
    {"SHELL.FileInfo", "isFolder", Self::Entry, 0},
    {"SHELL.FileSet", "getFileNum", Self::Files, 0},
    {"SHELL.FileSet", "getFileAt", Self::Files, 1},
    {"SHELL.FileFolderMgr", "Instance", Self::Class, 0},
    {"SHELL.FileFolderMgr", "getLastResult", Self::Folders, 0},
    {"SHELL.FileFolderMgr", "InitSearch", Self::Folders, 0},
    {"SHELL.FileFolderMgr", "OpenPath", Self::Folders, 1},
    {"ZuGUI.CGameMultiLine", "getDocSize", Self::View, 0},
    {"ZuGUI.CGameMultiLine", "getDocWidth", Self::View, 0},
    {"ZuGUI.CGameMultiLine", "getDocHeight", Self::View, 0},
    {"ZuGUI.CGameMultiLine", "getSelectedText", Self::View, 0},
    {"ZuGUI.CItemIcon", "GetTargetId", Self::Icon, 0},
    {"CEGUI.Window", "setText", Self::LoneView, 1},
    {"CEGUI.Window", "setText", Self::Edit, 1},
};
constexpr int kCalleeCount = static_cast<int>(std::size(kCallees));

enum HostAction
{
    kLongPulse,   // a time pulse of kPulseSeconds[parameter]
    kCapacity,    // the chat box's capacity: the next byte % 12
    kMessageLife, // the chat box's message life: kLives[parameter]
    kSelectable,  // bit 0: the chat box's text is selectable, bit 1: the lone view's
    kSelect,      // 0 all of the chat, 1 none, 2 all of the lone view, 3 a drag (4 bytes)
    kResize,      // bit 0 the lone view, else the chat box: width and height bytes
    kLineBreak,   // bit 0: the chat box breaks between words, bit 1: the lone view
    kList,        // bit 0: the newest item goes into the list, else the list is emptied
    kCollect,     // a full garbage collection; bit 0 also clears the chat box
    kHostActionCount
};
static_assert(kCalleeCount + kHostActionCount <= 32, "ops are 5 bits");

const double kPulseSeconds[] = {0.0, 0.1, 0.5, 1.0, 3.0, 10.0, 100.0, 1e6};
const float kLives[] = {0.0f, 0.05f, 1.0f, 5.0f, -1.0f, NAN, INFINITY, 1e-6f};

const double kSpecialNumbers[] = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.5,
                                  2.0,
                                  3.0,
                                  7.0,
                                  2147483647,
                                  2147483648,
                                  -2147483649,
                                  4294967295,
                                  4294967296,
                                  4294967298,
                                  9007199254740993.0,
                                  18446744073709551616.0,
                                  1e300,
                                  -1e300,
                                  5e-324,
                                  kInfinity,
                                  -kInfinity,
                                  kNaN,
                                  -kNaN,
                                  1e-9};

// Markup, colour and image texts, and bytes that are not UTF-8.
const char* const kTexts[] = {
    "",
    " ",
    "a",
    "{N Zo\xC3\xAB}: hi",
    "{T red:coloured} text",
    "{I 5:sword} and {I 7:shield}",
    "{C go:command}{H http://x:link}",
    "{P 1:2}{E 12}{Ak 10,20}",
    "{Bg 3:5}{Npc n:f}{M m:h}{Cl c:j}",
    "TaharezLook/GenericBrush",
    "TaharezLook/",
    "red",
    "FF008080",
    "80FFFFFF",
    "zz",
    "0x",
    "-1",
    "nan",
    "caf\xC3\xA9",
    "cut \xE2\x82",
    "\xFF\xFE\xFD",
    "\xED\xA0\x80 surrogate",
    "\xF4\x90\x80\x80 past the last code point",
    "\xC0\xAF overlong",
    "line\nfeeds\n\n\r\n",
    "{",
    "}",
    "{{{{",
    "{T :}",
    "word word word word word word word word word word word word word word word word",
};

// The scratch tree's paths and a few bad ones (empty, the working folder's parent, missing,
// 10 KB long), set when the tree is made.
std::vector<std::string> g_paths;

const char* const kClassTables[] = {"ZuGUI.CGameChatBox",
                                    "ZuGUI.CGameMultiLine",
                                    "SHELL.FileSet",
                                    "SHELL.FileInfo",
                                    "SHELL.FileFolderMgr",
                                    "ZuGUI.TextParser.CColorPropertyManager",
                                    "CEGUI",
                                    "CEGUI.Window"};

const char* const kNumericStrings[] = {"2", " 0x10 ", "1e400", "-0", "0", "3.5"};

// The object arguments (kind 12).
enum ObjectArgument
{
    kChatObject,
    kNewestView,
    kOldestView,
    kLoneViewObject,
    kEditObject,
    kIconObject,
    kFoldersObject,
    kFilesObject,
    kColoursObject,
    kRootObject,     // a CEGUI::Window that is none of the module's classes
    kListObject,     // a CEGUI::Listbox
    kChatAsPane,     // the chat box as its CEGUI base
    kEditAsWindow,   // the edit box as CEGUI::Window
    kIconAsZuWindow, // the item icon as the module's window base
    kObjectCount
};

// A scratch tree under the temporary folder: a few files and folders, a folder whose name is
// not UTF-8, a link to a folder and one to nothing. Removed when the program ends.
class ScratchTree
{
public:
    ScratchTree()
        : m_root(fs::temp_directory_path() / ("zugui-script-fuzz-" + std::to_string(getpid())))
    {
        fs::remove_all(m_root);
        fs::create_directories(m_root / "maps" / "deep");
        fs::create_directories(m_root / "empty");
        fs::create_directories(m_root / "caf\xE9");
        std::ofstream(m_root / "notes.txt") << "x";
        std::ofstream(m_root / "Zo\xC3\xAB.txt") << "x";
        std::ofstream(m_root / "maps" / "a.map") << "x";
        std::ofstream(m_root / "caf\xE9" / "inside\xFF.txt") << "x";
        fs::create_directory_symlink(m_root / "maps", m_root / "maps-link");
        fs::create_symlink(m_root / "nowhere", m_root / "broken-link");
        const std::string root = m_root.string();
        g_paths = {root,
                   root + "/maps",
                   root + "/maps/deep",
                   root + "/caf\xE9",
                   root + "/caf\xC3\xA9",
                   root + "/notes.txt",
                   root + "/empty",
                   root + "/maps-link",
                   root + "/broken-link",
                   root + "/missing",
                   root + "/",
                   root + "/maps/../maps",
                   std::string(root + "/maps").append(1, '\0').append("/etc"),
                   "",
                   "..",
                   "/nonexistent",
                   root + "/" + std::string(10000, 'a'),
                   std::string(10240, '/')};
        // The top level lists the home folder: the tree.
        setenv("HOME", root.c_str(), 1);
    }
    ~ScratchTree()
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    const fs::path& Root() const { return m_root; }

    // Whether `path` names something inside the tree without leaving it.
    bool Contains(const char* path) const
    {
        const std::string text = path;
        const std::string root = m_root.string();
        return text.compare(0, root.size(), root) == 0 &&
               (text.size() == root.size() || text[root.size()] == '/') &&
               text.find("..") == std::string::npos;
    }

private:
    fs::path m_root;
};

struct FuzzWorld
{
    FuzzWorld() : cegui(ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR)
    {
        CEGUI::System& system = CEGUI::System::getSingleton();
        static_cast<CEGUI::NullRenderer*>(system.getRenderer())
            ->setDisplaySize(CEGUI::Sizef(1024, 768));
        auto& provider =
            static_cast<CEGUI::DefaultResourceProvider&>(*system.getResourceProvider());
        provider.setResourceGroupDirectory("testdata", ZU_TEST_DATA_DIR "/");
        CEGUI::SchemeManager& schemes = CEGUI::SchemeManager::getSingleton();
        schemes.createFromFile("TaharezLook.scheme");
        CEGUI::Font& font =
            CEGUI::FontManager::getSingleton().createFromFile("DejaVuSans-10-NoScale.font");
        system.getDefaultGUIContext().setDefaultFont(&font);
        registerAllFactories();
        ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
        for (const char* scheme :
             {"GameChatBoxTest", "GameMultiLineTest", "EditBoxTest", "ItemIconTest"})
            schemes.createFromFile(CEGUI::String(scheme) + ".scheme", "testdata");
        const CEGUI::Rectf display(0, 0, 1024, 768);
        system.getDefaultGUIContext().getMouseCursor().setConstraintArea(&display);

        auto& colours = ZuGUI::TextParser::CColorPropertyManager::Instance();
        colours.RegisterColorByString("red", "FFFF0000", "FF000000");
        host.scriptInts["item_color"] = static_cast<int>(0xFFA335EEu);
        host.ReplyWith("GameCreatureProvider",
                       [](KeyValues& reply) { reply.SetInt("CreatureId", 9); });
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(&host);
    }
    ~FuzzWorld() { ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr); }

    ZuTest::ScopedHeadlessCegui cegui;
    ScratchTree scratch;
    ZuTest::RecordingHost host;
};

FuzzWorld& World()
{
    static FuzzWorld world;
    return world;
}

using ZuFuzz::FuzzInput;
using InputReader = ZuFuzz::FuzzReader;

// A step's budget: a floor, and time for each character of text that the step may lay out
// (its arguments and the text that the windows show). A step lays a text out many times: a
// push into a narrow chat box lays the new message out about ten times, at each resize of its
// view and each time the box's scroll bar comes or goes, and a resize of the box lays every
// shown message out again. A step that is quadratic in its text exceeds the budget by far
// once texts are long (or libFuzzer's own time-out, for the longest).
constexpr double kStepSecondsFloor = 0.25;
constexpr double kStepSecondsPerCharacter = 1e-4;

// Calls `args` [1] [2] ... as self[name](self, ...); the name is upvalue 1.
int CallMember(lua_State* state)
{
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_gettable(state, 1);
    lua_insert(state, 1);
    lua_call(state, lua_gettop(state) - 1, LUA_MULTRET);
    return lua_gettop(state);
}

int DoNothing(lua_State*)
{
    return 0;
}

// Pushes the value at the dotted `path` from the globals (a class table or a module).
int PushPath(lua_State* state, const char* path)
{
    lua_pushvalue(state, LUA_GLOBALSINDEX);
    for (const char* part = path;;)
    {
        const char* end = std::strchr(part, '.');
        const std::string name = end ? std::string(part, end) : std::string(part);
        lua_getfield(state, -1, name.c_str());
        lua_remove(state, -2);
        if (!end)
            return 1;
        part = end + 1;
    }
}

// Run protected: a table of the callees' functions (by callee index + 1) and one of the class
// tables (by kClassTables index + 1).
int ResolveBindings(lua_State* state)
{
    lua_newtable(state);
    for (int i = 0; i < kCalleeCount; ++i)
    {
        PushPath(state, kCallees[i].owner);
        lua_getfield(state, -1, kCallees[i].name);
        lua_remove(state, -2);
        lua_rawseti(state, -2, i + 1);
    }
    lua_newtable(state);
    for (int i = 0; i < static_cast<int>(std::size(kClassTables)); ++i)
    {
        PushPath(state, kClassTables[i]);
        lua_rawseti(state, -2, i + 1);
    }
    return 2;
}

// One input's windows, Lua state and items.
class Session
{
public:
    Session(FuzzWorld& world, std::uint8_t flags) : m_world(world)
    {
        static const char* const kCodePages[] = {nullptr, "CP1252", "UTF-8", "GBK"};
        SetSystemCodePage(kCodePages[(flags >> 1) & 3]);
        MakeWindows();
        OpenState((flags & 1) != 0);
        // The folder manager starts inside the scratch tree.
        SHELL::FileFolderMgr::Instance().OpenPath(world.scratch.Root().c_str());
    }

    ~Session()
    {
        CEGUI::System::getSingleton().setScriptingModule(nullptr);
        CEGUI::LuaScriptModule::destroy(*m_cegui);
        lua_close(m_state);
        // Items stay the target's: the list lets them go, then they are deleted.
        for (CEGUI::ListboxImageItem* item : m_items)
        {
            if (m_list->isListboxItemInList(item))
            {
                item->setAutoDeleted(false);
                m_list->removeItem(item);
            }
            delete item;
        }
        CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
        context.setRootWindow(nullptr);
        CEGUI::WindowManager::getSingleton().destroyWindow(m_root);
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
        SetSystemCodePage(nullptr);
    }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void Step(InputReader& input, int step)
    {
        const std::uint8_t op = input.Byte();
        const int action = op % 32;
        m_stepCharacters = ShownCharacters();
        const ZuFuzz::ThreadStopwatch stopwatch;
        const char* outcome = "";
        if (action < kCalleeCount)
            outcome = Call(input, kCallees[action], op >> 5);
        else
            Act(input, static_cast<HostAction>(action - kCalleeCount), op >> 5);
        UpdateAndDraw(1.0 / 60.0);
        const double took = stopwatch.Seconds();
        const double budget = ZuFuzz::TimeBudgetScale() *
                              (kStepSecondsFloor + kStepSecondsPerCharacter * m_stepCharacters);
        if (std::getenv("ZU_FUZZ_VERBOSE"))
            std::fprintf(stderr, "step %d op %d (%s %s) characters %zu seconds %g\n", step, op,
                         action < kCalleeCount ? kCallees[action].name : "host", outcome,
                         m_stepCharacters, took);
        Check(took <= budget, "step " + std::to_string(step) + " (op " + std::to_string(op) +
                                  ") took " + std::to_string(took) + " s, over its budget");
    }

private:
    void MakeWindows()
    {
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        m_root = windows.createWindow("DefaultWindow");
        m_root->setArea(CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0),
                                     CEGUI::UDim(1, 0)));
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(m_root);
        m_chat = static_cast<ZuGUI::CGameChatBox*>(Child("ZuTest/GameChatBox", 0, 0, 300, 200));
        m_chat->SetChatCapacity(4);
        m_view =
            static_cast<ZuGUI::CGameMultiLine*>(Child("ZuTest/GameMultiLine", 320, 0, 300, 200));
        m_edit = static_cast<ZuGUI::CGameEditBox*>(Child("ZuTest/GameEditBox", 0, 220, 300, 30));
        m_icon = static_cast<ZuGUI::CItemIcon*>(Child("ZuTest/ItemIcon", 320, 220, 40, 40));
        m_list = static_cast<CEGUI::Listbox*>(Child("TaharezLook/Listbox", 0, 260, 300, 200));
    }

    CEGUI::Window* Child(const char* type, float x, float y, float width, float height)
    {
        CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type);
        window->setPosition(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)));
        window->setSize(CEGUI::USize(CEGUI::UDim(0, width), CEGUI::UDim(0, height)));
        m_root->addChild(window);
        return window;
    }

    void OpenState(bool moduleFirst)
    {
        m_state = luaL_newstate();
        luaL_openlibs(m_state);
        if (moduleFirst)
            ZuGUI::OpenScriptModule(m_state);
        m_cegui = &CEGUI::LuaScriptModule::create(m_state);
        CEGUI::System::getSingleton().setScriptingModule(m_cegui);
        if (!moduleFirst)
            ZuGUI::OpenScriptModule(m_state);
        lua_settop(m_state, 0);
        lua_pushcfunction(m_state, ResolveBindings);
        if (lua_pcall(m_state, 0, 2, 0) != 0)
            Fail(std::string("the bindings' tables: ") + lua_tostring(m_state, -1));
        m_classes = luaL_ref(m_state, LUA_REGISTRYINDEX);
        m_functions = luaL_ref(m_state, LUA_REGISTRYINDEX);
        for (int i = 0; i < kCalleeCount; ++i)
        {
            PushFunction(i);
            Check(lua_isfunction(m_state, -1),
                  std::string("the bindings lack ") + kCallees[i].owner + "." + kCallees[i].name);
            lua_pop(m_state, 1);
        }
        lua_newtable(m_state);
        m_kept = luaL_ref(m_state, LUA_REGISTRYINDEX);
    }

    void PushFunction(int callee)
    {
        lua_rawgeti(m_state, LUA_REGISTRYINDEX, m_functions);
        lua_rawgeti(m_state, -1, callee + 1);
        lua_remove(m_state, -2);
    }

    static std::size_t ClassIndex(const char* path)
    {
        const auto found =
            std::find_if(std::begin(kClassTables), std::end(kClassTables),
                         [path](const char* table) { return std::strcmp(table, path) == 0; });
        return static_cast<std::size_t>(found - std::begin(kClassTables));
    }

    void PushClass(std::size_t index)
    {
        lua_rawgeti(m_state, LUA_REGISTRYINDEX, m_classes);
        lua_rawgeti(m_state, -1, static_cast<int>(index % std::size(kClassTables)) + 1);
        lua_remove(m_state, -2);
    }

    // The views that show a message, oldest first.
    std::vector<ZuGUI::CGameMultiLine*> ShownViews()
    {
        std::vector<ZuGUI::CGameMultiLine*> views;
        for (const auto& shown : m_chat->ShownMessages())
            views.push_back(shown.view);
        return views;
    }

    std::size_t ShownCharacters()
    {
        std::size_t characters = m_view->getText().length() + m_edit->getText().length();
        for (ZuGUI::CGameMultiLine* view : ShownViews())
            characters += view->getText().length();
        return characters;
    }

    void PushObject(ObjectArgument object)
    {
        const std::vector<ZuGUI::CGameMultiLine*> views = ShownViews();
        switch (object)
        {
        case kChatObject:
            tolua_pushusertype(m_state, m_chat, "ZuGUI::CGameChatBox");
            break;
        case kNewestView:
            tolua_pushusertype(m_state, views.empty() ? m_view : views.back(),
                               "ZuGUI::CGameMultiLine");
            break;
        case kOldestView:
            tolua_pushusertype(m_state, views.empty() ? m_view : views.front(),
                               "ZuGUI::CGameMultiLine");
            break;
        case kLoneViewObject:
            tolua_pushusertype(m_state, m_view, "ZuGUI::CGameMultiLine");
            break;
        case kEditObject:
            tolua_pushusertype(m_state, m_edit, "ZuGUI::CGameEditBox");
            break;
        case kIconObject:
            tolua_pushusertype(m_state, m_icon, "ZuGUI::CItemIcon");
            break;
        case kFoldersObject:
            tolua_pushusertype(m_state, &SHELL::FileFolderMgr::Instance(), "SHELL::FileFolderMgr");
            break;
        case kFilesObject:
            tolua_pushusertype(
                m_state,
                const_cast<SHELL::FileSet*>(SHELL::FileFolderMgr::Instance().getLastResult()),
                "const SHELL::FileSet");
            break;
        case kColoursObject:
            tolua_pushusertype(m_state, &ZuGUI::TextParser::CColorPropertyManager::Instance(),
                               "ZuGUI::TextParser::CColorPropertyManager");
            break;
        case kRootObject:
            tolua_pushusertype(m_state, m_root, "CEGUI::Window");
            break;
        case kListObject:
            tolua_pushusertype(m_state, m_list, "CEGUI::Listbox");
            break;
        case kChatAsPane:
            tolua_pushusertype(m_state, static_cast<CEGUI::ScrollablePane*>(m_chat),
                               "CEGUI::ScrollablePane");
            break;
        case kEditAsWindow:
            tolua_pushusertype(m_state, static_cast<CEGUI::Window*>(m_edit), "CEGUI::Window");
            break;
        case kIconAsZuWindow:
            tolua_pushusertype(m_state, static_cast<ZuGUI::ZuWindow*>(m_icon), "ZuGUI::ZuWindow");
            break;
        case kObjectCount:
            break;
        }
    }

    // Pushes the newest kept value of the type `type`, or nil.
    void PushNewestKept(const char* type)
    {
        lua_rawgeti(m_state, LUA_REGISTRYINDEX, m_kept);
        luaL_getmetatable(m_state, type);
        for (int i = 0; i < kKeptValues; ++i)
        {
            lua_rawgeti(m_state, -2, (m_keptCount - 1 - i + 2 * kKeptValues) % kKeptValues + 1);
            if (lua_getmetatable(m_state, -1))
            {
                const bool match = lua_rawequal(m_state, -1, -3) != 0;
                lua_pop(m_state, 1);
                if (match)
                {
                    lua_replace(m_state, -3);
                    lua_pop(m_state, 1);
                    return;
                }
            }
            lua_pop(m_state, 1);
        }
        lua_pop(m_state, 2);
        lua_pushnil(m_state);
    }

    void PushSelf(const Callee& callee)
    {
        switch (callee.self)
        {
        case Self::None:
            break;
        case Self::Class:
            PushClass(ClassIndex(callee.owner));
            break;
        case Self::Colours:
            PushObject(kColoursObject);
            break;
        case Self::Chat:
            PushObject(kChatObject);
            break;
        case Self::View:
            PushObject(kNewestView);
            break;
        case Self::LoneView:
            PushObject(kLoneViewObject);
            break;
        case Self::Edit:
            PushObject(kEditObject);
            break;
        case Self::Icon:
            PushObject(kIconObject);
            break;
        case Self::Folders:
            PushObject(kFoldersObject);
            break;
        case Self::Files:
            PushObject(kFilesObject);
            break;
        case Self::Entry:
            PushNewestKept("const SHELL::FileInfo");
            break;
        }
    }

    void PushString(const std::string& text)
    {
        lua_pushlstring(m_state, text.data(), text.size());
        m_stepCharacters += text.size();
    }

    // Decodes one argument and pushes it; true when it is a path of g_paths.
    bool PushArgument(InputReader& input)
    {
        switch (input.Byte() % 19)
        {
        case 0:
            lua_pushnil(m_state);
            break;
        case 1:
            lua_pushboolean(m_state, 0);
            break;
        case 2:
            lua_pushboolean(m_state, 1);
            break;
        case 3:
            lua_pushnumber(m_state, static_cast<std::int8_t>(input.Byte()));
            break;
        case 4:
            lua_pushnumber(m_state, static_cast<std::int32_t>(input.BigEndian(4)));
            break;
        case 5:
        {
            const std::uint64_t bits = std::uint64_t(input.BigEndian(4)) << 32 | input.BigEndian(4);
            double number;
            std::memcpy(&number, &bits, sizeof number);
            lua_pushnumber(m_state, number);
            break;
        }
        case 6:
            lua_pushnumber(m_state, kSpecialNumbers[input.Byte() % std::size(kSpecialNumbers)]);
            break;
        case 7:
            PushString(input.Bytes(input.Byte()));
            break;
        case 8:
        {
            const std::size_t length = std::min<std::size_t>(input.BigEndian(2), kLongStringBytes);
            std::string piece = input.Bytes(input.Byte());
            if (piece.empty())
                piece = "x";
            std::string text;
            text.reserve(length);
            while (text.size() < length)
                text.append(piece, 0, length - text.size());
            PushString(text);
            break;
        }
        case 9:
            PushString(kTexts[input.Byte() % std::size(kTexts)]);
            break;
        case 10:
            PushString(g_paths[input.Byte() % g_paths.size()]);
            return true;
        case 11:
            switch (input.Byte() % 3)
            {
            case 0:
                lua_newtable(m_state);
                break;
            case 1:
                lua_newtable(m_state);
                for (int i = 1; i <= 3; ++i)
                {
                    lua_pushnumber(m_state, i);
                    lua_rawseti(m_state, -2, i);
                }
                break;
            default:
                lua_newtable(m_state);
                lua_pushnumber(m_state, 1);
                lua_setfield(m_state, -2, "width");
                lua_pushstring(m_state, "x");
                lua_setfield(m_state, -2, "height");
                break;
            }
            break;
        case 12:
            PushObject(static_cast<ObjectArgument>(input.Byte() % kObjectCount));
            break;
        case 13:
            lua_rawgeti(m_state, LUA_REGISTRYINDEX, m_kept);
            lua_rawgeti(m_state, -1, input.Byte() % kKeptValues + 1);
            lua_remove(m_state, -2);
            break;
        case 14:
        {
            static int somewhere;
            lua_pushlightuserdata(m_state, input.Byte() % 2 ? &somewhere : nullptr);
            break;
        }
        case 15:
            lua_pushcfunction(m_state, DoNothing);
            break;
        case 16:
            lua_newthread(m_state);
            break;
        case 17:
            PushClass(input.Byte());
            break;
        default:
            lua_pushstring(m_state, kNumericStrings[input.Byte() % std::size(kNumericStrings)]);
            break;
        }
        return false;
    }

    // Keeps a result for later calls, in a ring of kKeptValues.
    void Keep(int index)
    {
        lua_rawgeti(m_state, LUA_REGISTRYINDEX, m_kept);
        lua_pushvalue(m_state, index);
        lua_rawseti(m_state, -2, m_keptCount % kKeptValues + 1);
        lua_pop(m_state, 1);
        ++m_keptCount;
    }

    static bool IsValidUtf8Text(lua_State* state, int index)
    {
        std::size_t length = 0;
        const char* text = lua_tolstring(state, index, &length);
        return text && IsValidUtf8(std::string(text, length).c_str());
    }

    // Calls `callee` with arguments decoded from the input; gives "ok" or "error".
    const char* Call(InputReader& input, const Callee& callee, int mode)
    {
        const int base = lua_gettop(m_state);
        const bool asMember = (mode & 1) != 0;
        const int arity = mode >> 1;
        if (asMember)
        {
            lua_pushstring(m_state, callee.name);
            lua_pushcclosure(m_state, CallMember, 1);
        }
        else
        {
            PushFunction(static_cast<int>(&callee - kCallees));
        }
        bool naturalSelf = false;
        int count = 0;
        std::vector<bool> fromPaths;
        if (arity == 3)
        {
            count = input.Byte() % 8;
            for (int i = 0; i < count; ++i)
                fromPaths.push_back(PushArgument(input));
        }
        else
        {
            const int parameters = callee.parameters + (arity == 1 ? -1 : arity == 2 ? 1 : 0);
            if (callee.self != Self::None && parameters >= 0)
            {
                PushSelf(callee);
                naturalSelf = true;
                fromPaths.push_back(false);
                ++count;
            }
            for (int i = 0; i < parameters; ++i, ++count)
                fromPaths.push_back(PushArgument(input));
        }
        const int first = base + 2;
        if (std::strcmp(callee.name, "OpenPath") == 0 && count >= 2)
            KeepPathInTree(first + 1, fromPaths[1]);
        // Registered colours stay for the process: names are cut short, so that the table
        // stays small however many inputs run.
        if (std::strcmp(callee.name, "RegisterColorByString") == 0 && count >= 2)
            CutText(first + 1, kColourNameBytes);
        // CEGUI's own binding reads nil as a null text, which CEGUI::String does not take: not
        // the module's to fix, so its setText gets "" instead.
        if (std::strcmp(callee.name, "setText") == 0)
        {
            for (int i = first + 1; i < first + count; ++i)
            {
                if (lua_isnil(m_state, i))
                {
                    lua_pushliteral(m_state, "");
                    lua_replace(m_state, i);
                }
            }
        }

        // What the checks after the call need to know of the arguments.
        const std::size_t filesBefore =
            SHELL::FileFolderMgr::Instance().getLastResult()->getFileNum();
        // The second argument as tolua++ reads a number (numeric strings too).
        const bool numberSecond = count >= 2 && lua_isnumber(m_state, first + 1);
        const double number = numberSecond ? lua_tonumber(m_state, first + 1) : 0.0;
        const bool pushesText = naturalSelf && count == 2 && lua_isstring(m_state, first + 1);

        int status = 0;
        try
        {
            status = lua_pcall(m_state, count, LUA_MULTRET, 0);
        }
        catch (const CEGUI::Exception& error)
        {
            Fail(std::string("CEGUI exception out of ") + callee.name + ": " +
                 error.getMessage().c_str());
        }
        catch (const std::exception& error)
        {
            Fail(std::string("exception out of ") + callee.name + ": " + error.what());
        }
        const int results = lua_gettop(m_state) - base;
        if (status != 0)
        {
            Check(results == 1 && lua_isstring(m_state, -1),
                  std::string("an error of ") + callee.name + " that is not a message");
            lua_settop(m_state, base);
            return "error";
        }
        CheckResults(callee, naturalSelf, base + 1, results, filesBefore, numberSecond, number,
                     pushesText);
        for (int i = 1; i <= results && i <= 2; ++i)
            Keep(base + i);
        lua_settop(m_state, base);
        return "ok";
    }

    void CutText(int index, std::size_t bytes)
    {
        std::size_t length = 0;
        const char* text = lua_type(m_state, index) == LUA_TSTRING
                               ? lua_tolstring(m_state, index, &length)
                               : nullptr;
        if (!text || length <= bytes)
            return;
        lua_pushlstring(m_state, text, bytes);
        lua_replace(m_state, index);
    }

    // A string that OpenPath gets stays in the scratch tree: a path of g_paths, a path inside
    // the tree, or the tree's root in place of any other.
    void KeepPathInTree(int index, bool fromPaths)
    {
        if (fromPaths || lua_type(m_state, index) != LUA_TSTRING ||
            m_world.scratch.Contains(lua_tostring(m_state, index)))
            return;
        lua_pushstring(m_state, m_world.scratch.Root().c_str());
        lua_replace(m_state, index);
    }

    void CheckResults(const Callee& callee, bool naturalSelf, int first, int results,
                      std::size_t filesBefore, bool numberSecond, double number, bool pushesText)
    {
        const std::string name = callee.name;
        if (name == "createListboxImageItem")
        {
            Check(results == 1, "createListboxImageItem gave nothing");
            auto* item =
                static_cast<CEGUI::ListboxImageItem*>(tolua_tousertype(m_state, first, nullptr));
            // No id (nil) is id 0.
            const bool isId = !numberSecond || (number >= 0.0 && number <= 4294967295.0 &&
                                                number == std::floor(number));
            Check((item != nullptr) == isId, "createListboxImageItem(id " + std::to_string(number) +
                                                 ") gave " + (item ? "an item" : "nil"));
            if (item)
                m_items.push_back(item);
        }
        else if (name == "getDspNameUtf8" || name == "getLocationUtf8" || name == "getSelectedText")
        {
            Check(results == 1 && IsValidUtf8Text(m_state, first), name + " gave no UTF-8 text");
        }
        else if (name == "getFileAt" && numberSecond)
        {
            const bool isIndex =
                number >= 0.0 && number < double(filesBefore) && number == std::floor(number);
            Check(results == 1 &&
                      (isIndex ? !lua_isnil(m_state, first) : lua_isnil(m_state, first)),
                  "getFileAt(" + std::to_string(number) + ") of " + std::to_string(filesBefore) +
                      " entries gave " + (lua_isnil(m_state, first) ? "nil" : "an entry"));
        }
        else if (name == "getDocWidth" || name == "getDocHeight" || name == "getCaratOffset")
        {
            Check(results == 1 && std::isfinite(lua_tonumber(m_state, first)),
                  name + " gave no finite number");
        }
        else if (name == "PushChatText" && pushesText && m_chat->GetChatCapacity() > 0)
        {
            Check(results == 1 && lua_toboolean(m_state, first),
                  "PushChatText with a capacity refused a text");
        }
    }

    void Act(InputReader& input, HostAction action, int parameter)
    {
        CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
        switch (action)
        {
        case kLongPulse:
            UpdateAndDraw(kPulseSeconds[parameter]);
            break;
        case kCapacity:
            m_chat->SetChatCapacity(input.Byte() % 12);
            break;
        case kMessageLife:
            m_chat->setMsgLife(kLives[parameter]);
            break;
        case kSelectable:
            m_chat->setTextSelectable((parameter & 1) != 0);
            m_view->setTextSelectable((parameter & 2) != 0);
            break;
        case kSelect:
            switch (parameter % 4)
            {
            case 0:
                m_chat->GetSelection().SelectAll();
                break;
            case 1:
                m_chat->GetSelection().Clear();
                break;
            case 2:
                m_view->GetSelectionGroup().SelectAll();
                break;
            default:
            {
                const float x0 = input.Byte() * 2.5f, y0 = input.Byte() * 2.0f;
                const float x1 = input.Byte() * 2.5f, y1 = input.Byte() * 2.0f;
                context.injectMousePosition(x0, y0);
                context.injectMouseButtonDown(CEGUI::LeftButton);
                context.injectMousePosition((x0 + x1) / 2, (y0 + y1) / 2);
                context.injectMousePosition(x1, y1);
                context.injectMouseButtonUp(CEGUI::LeftButton);
                break;
            }
            }
            break;
        case kResize:
        {
            CEGUI::Window* window = parameter & 1 ? static_cast<CEGUI::Window*>(m_view) : m_chat;
            const float width = input.Byte() * 2.0f, height = input.Byte() * 2.0f;
            window->setSize(CEGUI::USize(CEGUI::UDim(0, width), CEGUI::UDim(0, height)));
            break;
        }
        case kLineBreak:
            m_chat->setLineBreak(parameter & 1 ? ZuGUI::TextParser::LineBreakMode::Word
                                               : ZuGUI::TextParser::LineBreakMode::Character);
            m_view->setLineBreak(parameter & 2 ? ZuGUI::TextParser::LineBreakMode::Word
                                               : ZuGUI::TextParser::LineBreakMode::Character);
            break;
        case kList:
            if (parameter & 1)
            {
                for (auto item = m_items.rbegin(); item != m_items.rend(); ++item)
                {
                    if (m_list->isListboxItemInList(*item))
                        continue;
                    m_list->addItem(*item);
                    m_list->setItemSelectState(*item, (parameter & 2) != 0);
                    break;
                }
            }
            else
            {
                for (CEGUI::ListboxImageItem* item : m_items)
                {
                    if (!m_list->isListboxItemInList(item))
                        continue;
                    item->setAutoDeleted(false);
                    m_list->removeItem(item);
                }
            }
            break;
        case kCollect:
            lua_gc(m_state, LUA_GCCOLLECT, 0);
            if (parameter & 1)
                m_chat->ClearChats();
            break;
        case kHostActionCount:
            break;
        }
    }

    // A frame: a time pulse of `seconds`, then everything drawn. Nothing may come out of
    // either pass.
    void UpdateAndDraw(double seconds)
    {
        CEGUI::System& system = CEGUI::System::getSingleton();
        try
        {
            system.injectTimePulse(static_cast<float>(seconds));
            system.getDefaultGUIContext().injectTimePulse(static_cast<float>(seconds));
        }
        catch (const CEGUI::Exception& error)
        {
            Fail(std::string("CEGUI exception out of the update: ") + error.getMessage().c_str());
        }
        catch (const std::exception& error)
        {
            Fail(std::string("exception out of the update: ") + error.what());
        }
        try
        {
            system.getRenderer()->beginRendering();
            system.renderAllGUIContexts();
            system.getRenderer()->endRendering();
        }
        catch (const CEGUI::Exception& error)
        {
            Fail(std::string("CEGUI exception out of the draw: ") + error.getMessage().c_str());
        }
        catch (const std::exception& error)
        {
            Fail(std::string("exception out of the draw: ") + error.what());
        }
    }

    FuzzWorld& m_world;
    CEGUI::Window* m_root = nullptr;
    ZuGUI::CGameChatBox* m_chat = nullptr;
    ZuGUI::CGameMultiLine* m_view = nullptr;
    ZuGUI::CGameEditBox* m_edit = nullptr;
    ZuGUI::CItemIcon* m_icon = nullptr;
    CEGUI::Listbox* m_list = nullptr;
    lua_State* m_state = nullptr;
    CEGUI::LuaScriptModule* m_cegui = nullptr;
    int m_functions = LUA_NOREF;
    int m_classes = LUA_NOREF;
    int m_kept = LUA_NOREF;
    int m_keptCount = 0;
    std::vector<CEGUI::ListboxImageItem*> m_items;
    std::size_t m_stepCharacters = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzWorld& world = World();
    FuzzInput whole(data, size);
    InputReader input = whole.Front();
    {
        Session session(world, input.Byte());
        for (int step = 0; step < kMaxSteps && !input.AtEnd(); ++step)
            session.Step(input, step);
    }
    Check(world.host.CountScriptCalls("gFn_chatItem_add_ref") ==
              world.host.CountScriptCalls("gFn_chatItem_release_ref"),
          "chat item references do not balance once the windows are gone");
    world.host.ClearCalls();
    return 0;
}
