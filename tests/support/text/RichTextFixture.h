// The fixture of the rich text tests: a test view over a document of the shared parser
// manager, and shortcuts to lay markup out and look at the resulting lines and blocks. It
// needs CEGUI for text only (TextCegui.h).
#pragma once

#include "support/text/TestRichTextView.h"
#include "support/text/TextCegui.h"

#include <gtest/gtest.h>

#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/richtext/document/TextDocument.h"

#include <CEGUI/Font.h>

#include <memory>
#include <string>
#include <vector>

namespace ZuTest
{
class RichTextTest : public ::testing::Test
{
protected:
    static constexpr float kWidth = 300.0f;

    void SetUp() override;
    void TearDown() override;

    static ZuGUI::TextParser::CSimpleParserManager& Parsers();
    ZuGUI::TextBlocks::CRichTextDoc& Doc() const;

    // Sets the view's text to `markup` and runs the view's formatting cycle at `width`.
    void Format(const CEGUI::String& markup, float width = kWidth);

    const ZuGUI::TextBlocks::CRichTextDoc::Lines& Lines() const { return Doc().GetLines(); }
    // Every block of the document, line by line.
    std::vector<const ZuGUI::ITextBlock*> Blocks() const;
    // The block's text as UTF-8.
    std::string TextOf(const ZuGUI::ITextBlock& block) const;
    // The texts of all blocks, line by line: {"line 0 block 0", ...} per line.
    std::vector<std::vector<std::string>> LineTexts() const;

    const ZuGUI::TextBlocks::CPlainText& PlainAt(std::size_t index) const;
    const ZuGUI::TextBlocks::CCmdText& CommandAt(std::size_t index) const;
    const ZuGUI::TextBlocks::CPictureBlock& PictureAt(std::size_t index) const;

    // The command of a command block, doubled braces made single, as UTF-8.
    std::string CommandOf(const ZuGUI::TextBlocks::CCmdText& block) const;
    // Draws the document's part `visible` (document pixels) into the text area kArea.
    void Render(const CEGUI::Rectf& visible) { doc->Render(view, visible, kArea); }
    // The colours of the vertices drawn into the view, each colour once, in order of first use.
    std::vector<CEGUI::argb_t> DrawnColours() const;

    const CEGUI::Font& Font() const { return *view.font; }
    // The look of documents without a window in the view's font, for plain and command text.
    std::shared_ptr<const ZuGUI::RichText::TextLook> FontLook(int restLinesIndent = 0) const;
    float Extent(const CEGUI::String& text) const { return Font().getTextExtent(text); }
    float LineHeight() const { return Font().getLineSpacing(); }

private:
    // The view reads the default font when it is made, so CEGUI runs before it.
    struct BootCegui
    {
        BootCegui() { BootTextCegui(); }
    } m_bootCegui;

protected:
    TestRichTextView view;
    ZuGUI::TextParser::DocPtr doc;
    // A text area in window pixels, and a visible part of the document that holds it all.
    const CEGUI::Rectf kArea{100, 50, 400, 250};
    const CEGUI::Rectf kAll{0, 0, 300, 200};
};
} // namespace ZuTest
