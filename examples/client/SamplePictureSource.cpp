#include "client/SamplePictureSource.h"

namespace ZuDemo
{
SamplePictureSource::SamplePictureSource(const GameModel& model) : m_model(model)
{
    ZuGUI::SetPictureSource(this);
}

SamplePictureSource::~SamplePictureSource()
{
    ZuGUI::SetPictureSource(nullptr);
}

std::optional<ZuGUI::PictureExtent> SamplePictureSource::FindPicture(std::uint16_t set,
                                                                     std::uint16_t index) const
{
    const Picture* picture = m_model.FindPicture(set, index);
    if (!picture)
        return std::nullopt;
    return ZuGUI::PictureExtent{picture->width, picture->height};
}
} // namespace ZuDemo
