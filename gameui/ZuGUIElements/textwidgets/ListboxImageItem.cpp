#include "ZuGUIElements/textwidgets/ListboxImageItem.h"

#include <CEGUI/Image.h>
#include <CEGUI/ImageManager.h>

namespace CEGUI
{
ListboxImageItem::ListboxImageItem(const String& imageName, uint itemId, void* itemData,
                                   bool disabled, bool autoDelete)
    : ListboxItem(imageName, itemId, itemData, disabled, autoDelete)
{
}

const Image* ListboxImageItem::getMyImage() const
{
    ImageManager& images = ImageManager::getSingleton();
    return images.isDefined(getText()) ? &images.get(getText()) : nullptr;
}

Sizef ListboxImageItem::getPixelSize() const
{
    const Image* image = getMyImage();
    return image ? image->getRenderedSize() : Sizef(0.0f, 0.0f);
}

void ListboxImageItem::draw(GeometryBuffer& buffer, const Rectf& targetRect, float alpha,
                            const Rectf* clipper) const
{
    if (isSelected() && getSelectionBrushImage())
        getSelectionBrushImage()->render(buffer, targetRect, clipper,
                                         getModulateAlphaColourRect(getSelectionColours(), alpha));
    const Image* image = getMyImage();
    if (!image)
        return;
    // The image keeps its size, centred in the cell, and is drawn white whatever the alpha.
    const Sizef size = image->getRenderedSize();
    const Vector2f position(targetRect.left() + (targetRect.getWidth() - size.d_width) / 2.0f,
                            targetRect.top() + (targetRect.getHeight() - size.d_height) / 2.0f);
    image->render(buffer, Rectf(position, size), clipper, ColourRect(Colour(1, 1, 1, 1)));
}
} // namespace CEGUI
