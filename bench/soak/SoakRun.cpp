// The soak run (`make soak`): every demo scene in turn, headless, as a long session plays it.
// Each scene plays its own script up to its screenshot, then goes on with the chat feed (a chat
// line into every chat box every few frames: other players' lines with item links, emotes,
// hostile markup and long texts) and random input (pointer moves, presses, drags, wheel, keys
// and characters) until it has had its share of frames; then it is destroyed and the next
// scene starts. At every report the run prints the frames so far, the resident memory, the heap
// in use, and the mean and slowest frame of the last interval. The goal: memory flat after the
// warm-up (the first cycle of scenes), frame time flat.
//
//   zugui_soak [frames (100000)] [frames per scene (2500)] [report every (2500)] [seed (1)]
//
// It exits with 1 when the resident memory grew by more than 1 MB from the end of the first
// cycle to the end of the run.
#include "DemoWorld.h"

#include "support/WindowTree.h"

#include "ZuGUIElements/textwidgets/GameChatBox.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <lua.hpp>
#include <malloc.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
using namespace ZuBench;

double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1.0e6;
}

// The heap in use (allocated and not freed) once the scripts' garbage is collected: unlike the
// resident memory, it counts neither freed pages that the allocator keeps nor garbage that Lua
// has not collected yet, so a growth here is memory that something holds.
double HeapInUseMegabytes(const ZuDemo::SampleGameClient& client)
{
    if (const ZuDemo::SampleScripts* scripts = client.Scripts())
        lua_gc(scripts->State(), LUA_GCCOLLECT, 0);
    return static_cast<double>(mallinfo2().uordblks) / 1.0e6;
}

// What other players write, ordinary and hostile.
const char* const kChatLines[] = {
    "{CN [Trade]} {N Alice}: selling {I 1001:[Iron Sword]} for 40 gold {E 1}",
    "{CN [Guild]} {N Bram}: {T green:raid at nine}, bring {I 1002:[Minor Healing Potion]}",
    "{N Mallory}: {C /evil:            }{Ak 0,-1}{N Alice}: trade?",
    "{N Eve}: {{{{ }}}} {Zz} {I 99999999999:x} {Ak 2147483647,2147483647}tall",
    "{N Cira}: wolves at the bridge!\n\n\nsee you {H www.portal.example/guild:there}",
};

class SoakInput
{
public:
    explicit SoakInput(unsigned seed) : m_random(seed) {}

    // One frame's input: a few events of every kind, anywhere on the display.
    void Play(CEGUI::GUIContext& context)
    {
        for (int event = Pick(0, 3); event > 0; --event)
        {
            switch (Pick(0, 7))
            {
            case 0:
            case 1:
                context.injectMousePosition(static_cast<float>(Pick(0, 1024)),
                                            static_cast<float>(Pick(0, 640)));
                break;
            case 2:
                context.injectMouseButtonDown(Button());
                break;
            case 3:
                context.injectMouseButtonUp(Button());
                break;
            case 4:
                context.injectMouseWheelChange(Pick(0, 1) ? 1.0f : -1.0f);
                break;
            case 5:
                context.injectKeyDown(Key());
                break;
            case 6:
                context.injectKeyUp(Key());
                break;
            default:
                context.injectChar(static_cast<CEGUI::utf32>(Pick(1, 0x4FF)));
                break;
            }
        }
    }

    const char* ChatLine() { return kChatLines[Pick(0, std::size(kChatLines) - 1)]; }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    CEGUI::MouseButton Button() { return Pick(0, 3) ? CEGUI::LeftButton : CEGUI::RightButton; }
    CEGUI::Key::Scan Key()
    {
        static const CEGUI::Key::Scan keys[] = {
            CEGUI::Key::A,           CEGUI::Key::C,         CEGUI::Key::V,      CEGUI::Key::X,
            CEGUI::Key::Return,      CEGUI::Key::Backspace, CEGUI::Key::Delete, CEGUI::Key::Tab,
            CEGUI::Key::ArrowLeft,   CEGUI::Key::ArrowUp,   CEGUI::Key::Home,   CEGUI::Key::End,
            CEGUI::Key::LeftControl, CEGUI::Key::LeftShift, CEGUI::Key::Escape, CEGUI::Key::F1,
        };
        return keys[Pick(0, std::size(keys) - 1)];
    }

    std::mt19937 m_random;
};

// The frames of the last interval.
struct Interval
{
    Clock::duration total{};
    Clock::duration slowest{};
    int frames = 0;

    void Add(Clock::duration frame)
    {
        total += frame;
        slowest = std::max(slowest, frame);
        ++frames;
    }
};

double Microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

class SoakRun
{
public:
    SoakRun(int frames, int framesPerScene, int reportEvery, unsigned seed)
        : m_frames(frames), m_framesPerScene(framesPerScene), m_reportEvery(reportEvery),
          m_input(seed)
    {
    }

    // Returns the memory growth after the warm-up, in MB.
    double Run()
    {
        std::printf("%10s %10s %10s %14s %14s  %s\n", "frames", "rss_MB", "heap_MB",
                    "mean_frame_us", "slowest_us", "scene");
        const std::vector<std::string> names = ZuDemo::DemoSceneNames();
        double warmedUp = -1.0;
        double heapWarmedUp = -1.0;
        for (std::size_t scene = 0; m_done < m_frames; ++scene)
        {
            PlayScene(names[scene % names.size()]);
            if (scene + 1 == names.size())
            {
                warmedUp = ResidentMegabytes();
                heapWarmedUp = HeapInUseMegabytes(m_world.Client());
            }
        }
        const double end = ResidentMegabytes();
        const double heapEnd = HeapInUseMegabytes(m_world.Client());
        std::printf("heap in use: warm-up end %.1f MB, run end %.1f MB, growth %.2f MB\n",
                    heapWarmedUp, heapEnd, heapEnd - heapWarmedUp);
        std::printf("warm-up end %.1f MB, run end %.1f MB, growth %.2f MB\n", warmedUp, end,
                    end - warmedUp);
        return warmedUp < 0.0 ? 0.0 : end - warmedUp;
    }

private:
    void PlayScene(const std::string& name)
    {
        std::unique_ptr<ZuDemo::DemoScene> scene =
            ZuDemo::MakeDemoScene(name, DemoWorld::Context());
        PlayToScreenshot(*scene, m_world.Client());
        const std::vector<CEGUI::Window*> chatBoxes = ChatBoxes();
        for (int frame = 0; frame < m_framesPerScene && m_done < m_frames; ++frame)
        {
            if (frame % 5 == 0)
            {
                for (CEGUI::Window* box : chatBoxes)
                    static_cast<ZuGUI::CGameChatBox*>(box)->PushChatText(m_input.ChatLine());
            }
            m_input.Play(DemoWorld::Context());
            const Clock::time_point start = Clock::now();
            m_world.Client().AdvanceUITime(kSceneFrameSeconds);
            FrameTimes ignored;
            RenderFrame(kSceneFrameSeconds, ignored);
            m_interval.Add(Clock::now() - start);
            m_world.Client().ClearLog();
            if (++m_done % m_reportEvery == 0)
                Report(name);
        }
        scene.reset();
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
        // The sample browser's journal of calls lasts for the process; the next visit of the
        // web scene shows its own calls.
        ZuDemo::SampleWebControl::ClearJournal();
    }

    std::vector<CEGUI::Window*> ChatBoxes() const
    {
        std::vector<CEGUI::Window*> boxes;
        ZuTest::ForEachWindow(*DemoWorld::Context().getRootWindow(),
                              [&](CEGUI::Window& window)
                              {
                                  if (dynamic_cast<ZuGUI::CGameChatBox*>(&window))
                                      boxes.push_back(&window);
                              });
        return boxes;
    }

    void Report(const std::string& scene)
    {
        std::printf("%10d %10.1f %10.1f %14.1f %14.1f  %s\n", m_done, ResidentMegabytes(),
                    HeapInUseMegabytes(m_world.Client()),
                    Microseconds(m_interval.total) / m_interval.frames,
                    Microseconds(m_interval.slowest), scene.c_str());
        std::fflush(stdout);
        m_interval = Interval{};
    }

    DemoWorld m_world;
    const int m_frames;
    const int m_framesPerScene;
    const int m_reportEvery;
    SoakInput m_input;
    Interval m_interval;
    int m_done = 0;
};

int Argument(int argc, char** argv, int index, int fallback)
{
    return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}
} // namespace

int main(int argc, char** argv)
{
    // What the scenes print for the player (message boxes) stays out of the report.
    std::cout.rdbuf(nullptr);
    SoakRun run(Argument(argc, argv, 1, 100000), Argument(argc, argv, 2, 2500),
                Argument(argc, argv, 3, 2500), static_cast<unsigned>(Argument(argc, argv, 4, 1)));
    constexpr double kAllowedGrowthMegabytes = 1.0;
    return run.Run() > kAllowedGrowthMegabytes ? 1 : 0;
}
