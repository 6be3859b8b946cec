// The sample client's picture source: the sizes of the model's rich text pictures and emotes.
// Constructing it installs it in the module; destroying it removes it.
#pragma once

#include "ZuGUIElements/platform/PictureSource.h"
#include "client/GameModel.h"

namespace ZuDemo
{
class SamplePictureSource : public ZuGUI::IPictureSource
{
public:
    explicit SamplePictureSource(const GameModel& model);
    ~SamplePictureSource();
    SamplePictureSource(const SamplePictureSource&) = delete;
    SamplePictureSource& operator=(const SamplePictureSource&) = delete;

    std::optional<ZuGUI::PictureExtent> FindPicture(std::uint16_t set,
                                                    std::uint16_t index) const override;

private:
    const GameModel& m_model;
};
} // namespace ZuDemo
