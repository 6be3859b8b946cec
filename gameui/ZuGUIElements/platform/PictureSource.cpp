#include "ZuGUIElements/platform/PictureSource.h"

namespace ZuGUI
{
namespace
{
IPictureSource* g_pictureSource = nullptr;
} // namespace

IPictureSource* GetPictureSource()
{
    return g_pictureSource;
}

void SetPictureSource(IPictureSource* source)
{
    g_pictureSource = source;
}

CEGUI::Sizef GetPictureSize(std::uint16_t set, std::uint16_t index)
{
    if (!g_pictureSource)
        return CEGUI::Sizef(0.0f, 0.0f);
    const std::optional<PictureExtent> extent = g_pictureSource->FindPicture(set, index);
    if (!extent)
        return CEGUI::Sizef(0.0f, 0.0f);
    return CEGUI::Sizef(static_cast<float>(extent->width), static_cast<float>(extent->height));
}
} // namespace ZuGUI
