#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/TextBlocks.h"

#include <algorithm>
#include <stdexcept>

namespace ZuTest
{
using namespace ZuGUI::TextBlocks;

void RichTextTest::SetUp()
{
    doc = ZuGUI::TextParser::MakeDoc(Parsers());
    view.shownDoc = doc.get();
    ZuGUI::TextParser::CColorPropertyManager::Instance().SetClickColorByString(
        "FF00FF00", "80FFFFFF", "FFFFFF00");
}

void RichTextTest::TearDown()
{
    doc.reset();
}

ZuGUI::TextParser::CSimpleParserManager& RichTextTest::Parsers()
{
    return ZuGUI::TextParser::CSimpleParserManager::Instance();
}

CRichTextDoc& RichTextTest::Doc() const
{
    return static_cast<CRichTextDoc&>(*doc);
}

void RichTextTest::Format(const CEGUI::String& markup, float width)
{
    view.text = markup;
    ZuGUI::TextParser::FormatDocument(Parsers(), *doc, view, width);
}

std::vector<const ZuGUI::ITextBlock*> RichTextTest::Blocks() const
{
    std::vector<const ZuGUI::ITextBlock*> blocks;
    for (const auto& line : Lines())
    {
        for (const auto& block : line->GetBlocks())
            blocks.push_back(block.get());
    }
    return blocks;
}

std::string RichTextTest::TextOf(const ZuGUI::ITextBlock& block) const
{
    return block.GetText(view).c_str();
}

std::vector<std::vector<std::string>> RichTextTest::LineTexts() const
{
    std::vector<std::vector<std::string>> lines;
    for (const auto& line : Lines())
    {
        lines.emplace_back();
        for (const auto& block : line->GetBlocks())
            lines.back().push_back(TextOf(*block));
    }
    return lines;
}

namespace
{
template <typename Block>
const Block& BlockAs(const std::vector<const ZuGUI::ITextBlock*>& blocks, std::size_t index)
{
    if (index >= blocks.size())
        throw std::out_of_range("no block " + std::to_string(index));
    const auto* block = dynamic_cast<const Block*>(blocks[index]);
    if (!block)
        throw std::logic_error("block " + std::to_string(index) + " has another type");
    return *block;
}
} // namespace

std::string RichTextTest::CommandOf(const CCmdText& block) const
{
    return block.GetCommandText(view).c_str();
}

std::vector<CEGUI::argb_t> RichTextTest::DrawnColours() const
{
    std::vector<CEGUI::argb_t> colours;
    for (const CEGUI::Vertex& vertex : view.geometry.Vertices())
    {
        const CEGUI::argb_t colour = vertex.colour_val.getARGB();
        if (std::find(colours.begin(), colours.end(), colour) == colours.end())
            colours.push_back(colour);
    }
    return colours;
}

const CPlainText& RichTextTest::PlainAt(std::size_t index) const
{
    return BlockAs<CPlainText>(Blocks(), index);
}

const CCmdText& RichTextTest::CommandAt(std::size_t index) const
{
    return BlockAs<CCmdText>(Blocks(), index);
}

const CPictureBlock& RichTextTest::PictureAt(std::size_t index) const
{
    return BlockAs<CPictureBlock>(Blocks(), index);
}

std::shared_ptr<const ZuGUI::RichText::TextLook> RichTextTest::FontLook(int restLinesIndent) const
{
    auto look = std::make_shared<ZuGUI::RichText::TextLook>();
    look->font = &Font();
    look->commandFont = &Font();
    look->restLinesIndent = restLinesIndent;
    return look;
}
} // namespace ZuTest
