// The game client as the rich text engine meets it (IRichTextClient, IRichTextView.h), over the
// module's host interface: item colours and references through the client's scripts, presses
// as "_KeyVal_Cmd_Click" command trees, command text positions and the picture render proxy.
// Without a client set nothing is sent and every question answers 0.
#pragma once

#include "ZuGUIElements/richtext/IRichTextView.h"

namespace ZuGUI
{
// The game client of texts that are kept without being shown (a chat box's history): it is told
// their item references, and asked nothing, since nothing of them is drawn or pressed.
class HostItemClient : public IRichTextClient
{
public:
    CEGUI::argb_t ItemColour(int) override { return 0; }
    bool TracksItemRefs() const override;
    // The client's "gFn_chatItem_add_ref" and "gFn_chatItem_release_ref" scripts.
    void AddItemRef(int itemId) override;
    void ReleaseItemRef(int itemId) override;
    void CommandPressed(const CommandPress&) override {}
    void EmotePressed(int, CEGUI::MouseButton) override {}
    void ShowCommandCursor() override {}
    void CommandTextDrawn(const CEGUI::String&, int, const CEGUI::Vector2f&) override {}
    unsigned PictureProxyId() override { return 0; }
    CEGUI::Sizef PictureSize(std::uint16_t, std::uint16_t) override { return CEGUI::Sizef(0, 0); }
};

class HostRichTextClient final : public HostItemClient
{
public:
    // The client of `view`, whose name and text go with what it reports.
    explicit HostRichTextClient(const IRichTextView& view) : m_view(view) {}

    // The client's "item_color" script.
    CEGUI::argb_t ItemColour(int itemId) override;
    // Sends the click tree (content, shown text, the view's whole text, kind, button, and for
    // a web link whether its target is trusted), then runs the client's guide script with the
    // kind and the command in the system code page.
    void CommandPressed(const CommandPress& press) override;
    // Sends the click tree of an emote: its kind, the button and its number.
    void EmotePressed(int emoteNumber, CEGUI::MouseButton button) override;
    void ShowCommandCursor() override;
    void CommandTextDrawn(const CEGUI::String& command, int kind,
                          const CEGUI::Vector2f& centre) override;
    // The client's picture proxy (SharedRenderProxyIds.h).
    unsigned PictureProxyId() override;
    // The size that the platform's picture source gives (platform/PictureSource.h).
    CEGUI::Sizef PictureSize(std::uint16_t set, std::uint16_t index) override;

    // Forgets the shared render proxy ids, so that the next use asks again (tests).
    static void ForgetPictureProxyId();

private:
    const IRichTextView& m_view;
};
} // namespace ZuGUI
