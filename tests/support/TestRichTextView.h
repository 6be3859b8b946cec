// A rich text view for tests, benchmarks and fuzzing without a view window: it holds its text
// and settings in plain members, records what the engine draws into it, and counts redraws.
// It does not depend on GoogleTest.
#pragma once

#include "ZuGUIElements/base/ZuImage.h"
#include "ZuGUIElements/platform/PictureSource.h"
#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/textwidgets/RichTextHostClient.h"

#include <CEGUI/RendererModules/Null/GeometryBuffer.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ZuTest
{
// Geometry that keeps its vertices for inspection.
class RecordingGeometry : public CEGUI::NullGeometryBuffer
{
public:
    const std::vector<CEGUI::Vertex>& Vertices() const { return d_vertices; }
};

class RecordingPictureSink : public ZuGUI::IRichTextPictureSink
{
public:
    void PushTextureIndex(const ZuGUI::tagTexture_Param& picture) override
    {
        pictures.push_back(picture);
    }
    void SetAddtionalClipper(const CEGUI::Rectf* clipper) override
    {
        clippers.push_back(clipper ? std::optional<CEGUI::Rectf>(*clipper) : std::nullopt);
    }

    std::vector<ZuGUI::tagTexture_Param> pictures;
    std::vector<std::optional<CEGUI::Rectf>> clippers;
};

class TestRichTextView : public ZuGUI::IRichTextView
{
public:
    // Plain and command text use the default GUI context's default font.
    TestRichTextView();
    explicit TestRichTextView(const CEGUI::String& markup) : TestRichTextView() { text = markup; }

    const CEGUI::String& GetViewText() const override { return text; }
    CEGUI::String GetViewName() const override { return name; }
    const CEGUI::Font* GetViewFont() const override { return font; }
    CEGUI::Colour getDefaultTextColor() const override { return defaultTextColour; }
    int getIndent1stLine() const override { return indent1stLine; }
    int getIndentRestLines() const override { return indentRestLines; }
    const CEGUI::Font* getCmdFont() const override { return cmdFont; }
    const CEGUI::Image* GetHoverBrush() const override { return hoverBrush; }
    CEGUI::GeometryBuffer& GetViewGeometry() override { return geometry; }
    void RequestViewRedraw() override { ++redraws; }
    // Recorded as "show <target>" or "hide <the link's text>", in UTF-8.
    void ShowLinkTarget(const ZuGUI::ITextBlock& link, const CEGUI::String* target) override;
    bool ContainsMouse() const override { return containsMouse; }
    ZuGUI::IRichTextPictureSink* GetPictureSink() override
    {
        return showsPictures ? &pictureSink : nullptr;
    }
    ZuGUI::TextParser::LineBreakMode GetLineBreak() const override { return lineBreak; }
    ZuGUI::IRichTextClient& GetClient() override { return *client; }

    CEGUI::String text;
    CEGUI::String name = "TestView";
    const CEGUI::Font* font = nullptr;
    const CEGUI::Font* cmdFont = nullptr;
    CEGUI::Colour defaultTextColour{0xFFFFFFFF};
    int indent1stLine = 0;
    int indentRestLines = 0;
    const CEGUI::Image* hoverBrush = nullptr;
    bool containsMouse = true;
    bool showsPictures = true;
    ZuGUI::TextParser::LineBreakMode lineBreak = ZuGUI::TextParser::LineBreakMode::Character;

    // The game client that the module's host is; a test may give the view another.
    ZuGUI::HostRichTextClient hostClient{*this};
    ZuGUI::IRichTextClient* client = &hostClient;

    int redraws = 0;
    std::vector<std::string> linkTargetCalls;
    RecordingGeometry geometry;
    RecordingPictureSink pictureSink;
};

// Pictures of given sizes, installed as the module's picture source while it lives.
class TestPictureSource : public ZuGUI::IPictureSource
{
public:
    TestPictureSource();
    ~TestPictureSource();
    TestPictureSource(const TestPictureSource&) = delete;
    TestPictureSource& operator=(const TestPictureSource&) = delete;

    void Add(std::uint16_t set, std::uint16_t index, unsigned width, unsigned height);
    std::optional<ZuGUI::PictureExtent> FindPicture(std::uint16_t set,
                                                    std::uint16_t index) const override;

private:
    std::map<std::pair<std::uint16_t, std::uint16_t>, ZuGUI::PictureExtent> m_pictures;
};

// Boots CEGUI on the NullRenderer with `fontFile` from `dataDir`/fonts as the default font,
// for programs without the test fixture. Does nothing while CEGUI runs.
void BootCeguiForText(const char* dataDir, const char* fontFile);
} // namespace ZuTest
