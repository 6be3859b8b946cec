// The game's pictures (icons, emotes, line backgrounds) that rich text shows, found by
// (set, index). The client's renderer installs this interface; without it every picture
// measures (0, 0).
#pragma once

#include <CEGUI/Size.h>

#include <cstdint>
#include <optional>

namespace ZuGUI
{
struct PictureExtent
{
    unsigned width;
    unsigned height;
};

class IPictureSource
{
public:
    // The size in pixels of picture (set, index), or nothing when there is no such picture.
    virtual std::optional<PictureExtent> FindPicture(std::uint16_t set,
                                                     std::uint16_t index) const = 0;

protected:
    ~IPictureSource() = default;
};

// The installed picture source, or null.
IPictureSource* GetPictureSource();
void SetPictureSource(IPictureSource* source);

// The size of picture (set, index) in pixels; (0, 0) without a source or without the picture.
CEGUI::Sizef GetPictureSize(std::uint16_t set, std::uint16_t index);
} // namespace ZuGUI
