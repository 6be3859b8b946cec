#include "client/SampleWebControl.h"

#include "ZuGUIElements/richtext/Utf8String.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <cstring>

namespace ZuDemo
{
namespace
{
std::vector<SampleWebControl*>& AliveControls()
{
    static std::vector<SampleWebControl*> controls;
    return controls;
}

std::vector<std::string>& JournalLines()
{
    static std::vector<std::string> lines;
    return lines;
}

int g_controlsMade = 0;

const CEGUI::Colour kFrameColour(0.95f, 0.76f, 0.30f);
const CEGUI::Colour kPageColour(0.96f, 0.94f, 0.88f);
const CEGUI::Colour kBarColour(0.20f, 0.33f, 0.52f);
const CEGUI::Colour kTextColour(0.10f, 0.10f, 0.12f);
const CEGUI::Colour kBarTextColour(1.0f, 1.0f, 1.0f);

const CEGUI::Image* Brush()
{
    CEGUI::ImageManager& images = CEGUI::ImageManager::getSingleton();
    return images.isDefined("TaharezLook/GenericBrush") ? &images.get("TaharezLook/GenericBrush")
                                                        : nullptr;
}

CEGUI::Rectf Inset(const CEGUI::Rectf& rect, float by)
{
    return CEGUI::Rectf(rect.left() + by, rect.top() + by, rect.right() - by, rect.bottom() - by);
}
} // namespace

void* SampleWebControl::MakeInterface(const char* name, int* returnCode)
{
    const bool known = name && std::strcmp(name, ZuGUI::kWebCtrlInterfaceName) == 0;
    if (returnCode)
        *returnCode = known ? 0 : 1;
    if (!known)
        return nullptr;
    auto* control = new SampleWebControl(g_controlsMade++);
    AliveControls().push_back(control);
    return static_cast<ZuGUI::IWebCtrl*>(control);
}

const std::vector<SampleWebControl*>& SampleWebControl::Alive()
{
    return AliveControls();
}

const std::vector<std::string>& SampleWebControl::Journal()
{
    return JournalLines();
}

void SampleWebControl::ClearJournal()
{
    JournalLines().clear();
}

SampleWebControl::SampleWebControl(int number) : m_name("ctrl" + std::to_string(number)) {}

SampleWebControl::~SampleWebControl()
{
    if (m_page)
        CEGUI::System::getSingleton().getRenderer()->destroyGeometryBuffer(*m_page);
    auto& alive = AliveControls();
    alive.erase(std::remove(alive.begin(), alive.end(), this), alive.end());
}

void SampleWebControl::Note(const std::string& call)
{
    JournalLines().push_back(m_name + "." + call);
}

void SampleWebControl::AddRef()
{
    Note("AddRef");
}

void SampleWebControl::Release()
{
    Note("Release");
    delete this;
}

void SampleWebControl::Create(std::uint32_t, int[4], ZuGUI::HWND, unsigned long threadId)
{
    Note("Create thread " + std::to_string(threadId));
    m_created = true;
}

void SampleWebControl::Show(bool show)
{
    Note(show ? "Show true" : "Show false");
    m_shown = show;
}

void SampleWebControl::Refresh()
{
    Note("Refresh");
}

void SampleWebControl::SetRect(const std::int32_t rect[4], bool visible)
{
    Note("SetRect " + std::to_string(rect[0]) + " " + std::to_string(rect[1]) + " " +
         std::to_string(rect[2]) + " " + std::to_string(rect[3]) + (visible ? "" : " hidden"));
    m_rect = CEGUI::Rectf(CEGUI::Vector2f(static_cast<float>(rect[0]), static_cast<float>(rect[1])),
                          CEGUI::Sizef(static_cast<float>(std::max(rect[2], 0)),
                                       static_cast<float>(std::max(rect[3], 0))));
    m_rectVisible = visible;
    BuildPage();
}

void SampleWebControl::SetCallBack(ZuGUI::IWebCallBack* callBack)
{
    Note("SetCallBack");
    m_callBack = callBack;
}

void SampleWebControl::Navigate(const char* address, int)
{
    const std::string target = address ? address : "";
    Note("Navigate " + target);
    // A browser asks before it leaves the page it shows.
    if (m_callBack && !m_callBack->OnBeforeNavigate(target.c_str(), 0))
    {
        JournalLines().push_back(m_name + " refused " + target);
        return;
    }
    m_address = target;
    BuildPage();
    if (m_callBack)
        m_callBack->OnNavigateComplete(target.c_str());
}

void SampleWebControl::BuildPage()
{
    CEGUI::Renderer& renderer = *CEGUI::System::getSingleton().getRenderer();
    if (!m_page)
        m_page = &renderer.createGeometryBuffer();
    m_page->reset();
    m_page->setClippingRegion(m_rect);
    m_page->setClippingActive(true);
    const CEGUI::Image* brush = Brush();
    CEGUI::Font* font = CEGUI::System::getSingleton().getDefaultGUIContext().getDefaultFont();
    if (!brush || m_rect.getWidth() < 8.0f || m_rect.getHeight() < 8.0f)
        return;
    const CEGUI::Rectf page = Inset(m_rect, 3.0f);
    brush->render(*m_page, m_rect, nullptr, CEGUI::ColourRect(kFrameColour));
    brush->render(*m_page, page, nullptr, CEGUI::ColourRect(kPageColour));
    if (!font)
        return;
    const float line = font->getLineSpacing();
    const CEGUI::Rectf bar(page.left(), page.top(), page.right(), page.top() + line + 8.0f);
    brush->render(*m_page, bar, nullptr, CEGUI::ColourRect(kBarColour));
    const CEGUI::Rectf clip = Inset(page, 2.0f);
    font->drawText(*m_page, ZuGUI::StringFromUtf8(m_address.c_str()),
                   CEGUI::Vector2f(page.left() + 8.0f, page.top() + 4.0f), &clip,
                   CEGUI::ColourRect(kBarTextColour));
    const char* const lines[] = {"A page of the sample web control,", "drawn at the rectangle",
                                 "that the web window gave it."};
    float y = bar.bottom() + 10.0f;
    for (const char* text : lines)
    {
        font->drawText(*m_page, text, CEGUI::Vector2f(page.left() + 10.0f, y), &clip,
                       CEGUI::ColourRect(kTextColour));
        y += line;
    }
}

void SampleWebControl::DrawPage()
{
    if (m_page && PageVisible())
        m_page->draw();
}

SampleWebPages::SampleWebPages(CEGUI::GUIContext& context)
    : m_drawing(context.subscribeEvent(
          CEGUI::RenderingSurface::EventRenderQueueEnded,
          CEGUI::Event::Subscriber(
              [](const CEGUI::EventArgs& args)
              {
                  // Over the windows, under the pointer.
                  if (static_cast<const CEGUI::RenderQueueEventArgs&>(args).queueID ==
                      CEGUI::RQ_BASE)
                  {
                      for (SampleWebControl* control : SampleWebControl::Alive())
                          control->DrawPage();
                  }
                  return false;
              })))
{
}

SampleWebPages::~SampleWebPages()
{
    m_drawing->disconnect();
}
} // namespace ZuDemo
