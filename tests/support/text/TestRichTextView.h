// A rich text view for tests, benchmarks and fuzzing without a view window: it holds its text
// and settings in plain members, records what the engine draws into it, and counts redraws.
// Its client records every call and answers as no game client would (no colours, no pictures
// but those a test adds, no references tracked) unless a test says otherwise. It depends on
// the rich text engine and CEGUI only, not on GoogleTest.
#pragma once

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/IRichTextView.h"

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
    void PushTextureIndex(const ZuGUI::PictureRequest& picture) override
    {
        pictures.push_back(picture);
    }
    void SetAddtionalClipper(const CEGUI::Rectf* clipper) override
    {
        clippers.push_back(clipper ? std::optional<CEGUI::Rectf>(*clipper) : std::nullopt);
    }

    std::vector<ZuGUI::PictureRequest> pictures;
    std::vector<std::optional<CEGUI::Rectf>> clippers;
};

// Game pictures of given sizes.
class TestPictures
{
public:
    void Add(std::uint16_t set, std::uint16_t index, unsigned width, unsigned height);
    // (0, 0) for a picture that was not added.
    CEGUI::Sizef SizeOf(std::uint16_t set, std::uint16_t index) const;

private:
    std::map<std::pair<std::uint16_t, std::uint16_t>, CEGUI::Sizef> m_sizes;
};

// Records what the engine tells the client, one line a call ("colour 31", "add 31",
// "press 1 'Alice' 'Alice' 0", ...), and answers from its members.
class RecordingRichTextClient : public ZuGUI::IRichTextClient
{
public:
    CEGUI::argb_t ItemColour(int itemId) override;
    bool TracksItemRefs() const override { return tracksItemRefs; }
    void AddItemRef(int itemId) override;
    void ReleaseItemRef(int itemId) override;
    void CommandPressed(const ZuGUI::CommandPress& press) override;
    void EmotePressed(int emoteNumber, CEGUI::MouseButton button) override;
    void ShowCommandCursor() override;
    void CommandTextDrawn(const CEGUI::String& command, int kind,
                          const CEGUI::Vector2f& centre) override;
    unsigned PictureProxyId() override { return pictureProxyId; }
    CEGUI::Sizef PictureSize(std::uint16_t set, std::uint16_t index) override;

    std::map<int, CEGUI::argb_t> itemColours;
    bool tracksItemRefs = false;
    unsigned pictureProxyId = 0;
    TestPictures pictures;
    // How often a picture's size was asked.
    int pictureSizesAsked = 0;
    std::vector<std::string> lines;

private:
    void Record(std::string line) { lines.push_back(std::move(line)); }
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
    ZuGUI::Bidi::Direction GetTextDirection() const override { return direction; }
    const CEGUI::String* GetDisplayForms() const override
    {
        return shownDoc ? shownDoc->GetDisplayForms() : nullptr;
    }

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
    ZuGUI::Bidi::Direction direction = ZuGUI::Bidi::Direction::Auto;
    // The document whose display forms the view draws with, as a view of its own would.
    const ZuGUI::IDoc* shownDoc = nullptr;

    // The view's client; a test may give the view another.
    RecordingRichTextClient testClient;
    ZuGUI::IRichTextClient* client = &testClient;

    int redraws = 0;
    std::vector<std::string> linkTargetCalls;
    RecordingGeometry geometry;
    RecordingPictureSink pictureSink;
};
} // namespace ZuTest
