// CEGUI::ListboxImageItem: a list item whose text names an image (CEGUI's image-name form);
// its cell shows that image at its natural size, centred, over the selection brush when the
// item is selected. A text that names no image measures (0, 0) and draws only the brush.
#pragma once

#include <CEGUI/widgets/ListboxItem.h>

namespace CEGUI
{
class ListboxImageItem : public ListboxItem
{
public:
    ListboxImageItem(const String& imageName, uint itemId = 0, void* itemData = nullptr,
                     bool disabled = false, bool autoDelete = true);

    // The image that the text names, or null.
    const Image* getMyImage() const;

    Sizef getPixelSize() const override;
    void draw(GeometryBuffer& buffer, const Rectf& targetRect, float alpha,
              const Rectf* clipper) const override;
};
} // namespace CEGUI
