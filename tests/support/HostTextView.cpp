#include "support/HostTextView.h"

namespace ZuTest
{
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
} // namespace ZuTest
