// The rich text engine's test view (support/text/TestRichTextView.h) over the module's game
// client, for tests, benchmarks and fuzz targets that watch what reaches the host; and game
// pictures of given sizes, installed as the module's picture source while they live.
#pragma once

#include "support/text/TestRichTextView.h"

#include "ZuGUIElements/platform/PictureSource.h"
#include "ZuGUIElements/textwidgets/RichTextHostClient.h"

#include <map>
#include <optional>
#include <utility>

namespace ZuTest
{
class HostTextView : public TestRichTextView
{
public:
    HostTextView() { client = &hostClient; }
    explicit HostTextView(const CEGUI::String& markup) : HostTextView() { text = markup; }

    ZuGUI::HostRichTextClient hostClient{*this};
};

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
} // namespace ZuTest
