#include "support/TestRichTextView.h"

#include "support/HeadlessCegui.h"

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

namespace ZuTest
{
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

TestPictureSource::TestPictureSource()
{
    ZuGUI::SetPictureSource(this);
}

TestPictureSource::~TestPictureSource()
{
    ZuGUI::SetPictureSource(nullptr);
}

void TestPictureSource::Add(std::uint16_t set, std::uint16_t index, unsigned width, unsigned height)
{
    m_pictures[{set, index}] = ZuGUI::PictureExtent{width, height};
}

std::optional<ZuGUI::PictureExtent> TestPictureSource::FindPicture(std::uint16_t set,
                                                                   std::uint16_t index) const
{
    const auto found = m_pictures.find({set, index});
    if (found == m_pictures.end())
        return std::nullopt;
    return found->second;
}

void BootCeguiForText(const char* dataDir, const char* fontFile)
{
    if (CEGUI::System::getSingletonPtr())
        return;
    static SilentLogger logger;
    CEGUI::NullRenderer::bootstrapSystem();
    ZuDemo::SetCeguiResourceGroups(dataDir, "");
    CEGUI::Font& font = CEGUI::FontManager::getSingleton().createFromFile(fontFile);
    CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(&font);
}
} // namespace ZuTest
