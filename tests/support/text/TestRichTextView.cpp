#include "support/text/TestRichTextView.h"

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <CEGUI/CEGUI.h>

namespace ZuTest
{
void TestPictures::Add(std::uint16_t set, std::uint16_t index, unsigned width, unsigned height)
{
    m_sizes[{set, index}] = CEGUI::Sizef(static_cast<float>(width), static_cast<float>(height));
}

CEGUI::Sizef TestPictures::SizeOf(std::uint16_t set, std::uint16_t index) const
{
    const auto found = m_sizes.find({set, index});
    return found != m_sizes.end() ? found->second : CEGUI::Sizef(0.0f, 0.0f);
}

CEGUI::argb_t RecordingRichTextClient::ItemColour(int itemId)
{
    Record("colour " + std::to_string(itemId));
    const auto found = itemColours.find(itemId);
    return found != itemColours.end() ? found->second : 0;
}

void RecordingRichTextClient::AddItemRef(int itemId)
{
    Record("add " + std::to_string(itemId));
}

void RecordingRichTextClient::ReleaseItemRef(int itemId)
{
    Record("release " + std::to_string(itemId));
}

void RecordingRichTextClient::CommandPressed(const ZuGUI::CommandPress& press)
{
    Record("press " + std::to_string(press.kind) + " '" + press.command.c_str() + "' '" +
           press.text.c_str() + "' " + std::to_string(press.button));
}

void RecordingRichTextClient::EmotePressed(int emoteNumber, CEGUI::MouseButton button)
{
    Record("emote " + std::to_string(emoteNumber) + " " + std::to_string(button));
}

void RecordingRichTextClient::ShowCommandCursor()
{
    Record("cursor");
}

void RecordingRichTextClient::CommandTextDrawn(const CEGUI::String& command, int kind,
                                               const CEGUI::Vector2f& centre)
{
    Record("drawn '" + std::string(command.c_str()) + "' " + std::to_string(kind) + " " +
           std::to_string(int(centre.d_x)) + "," + std::to_string(int(centre.d_y)));
}

CEGUI::Sizef RecordingRichTextClient::PictureSize(std::uint16_t set, std::uint16_t index)
{
    ++pictureSizesAsked;
    return pictures.SizeOf(set, index);
}

TestRichTextView::TestRichTextView()
{
    font = CEGUI::System::getSingleton().getDefaultGUIContext().getDefaultFont();
    cmdFont = font;
}

void TestRichTextView::ShowLinkTarget(const ZuGUI::ITextBlock& link, const CEGUI::String* target)
{
    linkTargetCalls.push_back(target ? "show " + std::string(target->c_str())
                                     : "hide " + std::string(link.GetText(*this).c_str()));
}
} // namespace ZuTest
