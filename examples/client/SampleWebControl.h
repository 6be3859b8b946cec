// The sample game's web control, made by the client's interface factory for
// "IWEBCTRL_INTERFACE2". It stands for a browser in a native window of its own: it asks its
// call-back before it "loads" an address, and draws a stand-in page (a framed rectangle with
// the page's address) over the CEGUI frame at exactly the rectangle that it was last given,
// while it is shown and its rectangle is visible. It records every call it gets.
#pragma once

#include "ZuGUIElements/web/WebCtrl.h"

#include <CEGUI/Event.h>
#include <CEGUI/Rect.h>

#include <memory>
#include <string>
#include <vector>

namespace CEGUI
{
class GeometryBuffer;
class GUIContext;
} // namespace CEGUI

namespace ZuDemo
{
class SampleWebControl final : public ZuGUI::IWebCtrl
{
public:
    // The client's interface factory: a new control for "IWEBCTRL_INTERFACE2", null for any
    // other name (with `returnCode` set to 1 when given, else 0).
    static void* MakeInterface(const char* name, int* returnCode);
    // The controls that were made and not released yet, oldest first.
    static const std::vector<SampleWebControl*>& Alive();
    // Every call that a control received, "ctrlN.Operation arguments", and every navigation
    // its call-back refused ("ctrlN refused address").
    static const std::vector<std::string>& Journal();
    // Forgets the journal, which otherwise grows for as long as the process runs.
    static void ClearJournal();

    void AddRef() override;
    void Release() override;
    void Create(std::uint32_t style, int area[4], ZuGUI::HWND parent,
                unsigned long threadId) override;
    void Show(bool show) override;
    void Refresh() override;
    void SetRect(const std::int32_t rect[4], bool visible) override;
    void SetCallBack(ZuGUI::IWebCallBack* callBack) override;
    void Navigate(const char* address, int flags) override;

    // The address of the page shown; "" before the first navigation that went on.
    const std::string& Address() const { return m_address; }
    // The screen rectangle of the page.
    const CEGUI::Rectf& Rect() const { return m_rect; }
    bool PageVisible() const { return m_created && m_shown && m_rectVisible; }
    // Draws the page, when it is visible, into the current render target.
    void DrawPage();

private:
    explicit SampleWebControl(int number);
    ~SampleWebControl();
    void Note(const std::string& call);
    void BuildPage();

    std::string m_name;
    ZuGUI::IWebCallBack* m_callBack = nullptr;
    std::string m_address;
    CEGUI::Rectf m_rect{0, 0, 0, 0};
    bool m_created = false;
    bool m_shown = true;
    bool m_rectVisible = false;
    CEGUI::GeometryBuffer* m_page = nullptr;
};

// Draws the visible pages of every sample web control over a GUI context's windows, each
// frame, for the lifetime of the object.
class SampleWebPages
{
public:
    explicit SampleWebPages(CEGUI::GUIContext& context);
    ~SampleWebPages();
    SampleWebPages(const SampleWebPages&) = delete;
    SampleWebPages& operator=(const SampleWebPages&) = delete;

private:
    CEGUI::Event::Connection m_drawing;
};
} // namespace ZuDemo
