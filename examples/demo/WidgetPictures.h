// Pictures of the module's window types as the demo shows them, for the widget reference: each
// type of the sample skin that maps a module window type or uses a module renderer, cut from
// the first screenshot that shows a window of it, around the front-most such window that is
// wholly in sight (else the front-most one in part). A type whose windows a scene keeps out of
// sight (on a tab that is not chosen) is shown over the scene for its picture.
#pragma once

#include "demo/Screenshot.h"

#include <set>
#include <string>
#include <vector>

namespace CEGUI
{
class Window;
}

namespace ZuDemo
{
class WidgetPictures
{
public:
    // Pictures go to `folder`, one "<Look>-<Type>.png" per skin type ("ZuLook-ItemIcon.png").
    explicit WidgetPictures(std::string folder);

    // Writes the pictures of the types that `root` shows in `frame` (its pixels, the display's
    // size) and that have none yet; returns their paths.
    std::vector<std::string> Take(const RgbaImage& frame, const CEGUI::Window& root);
    // The module's skin types that no frame showed so far.
    std::vector<std::string> Missing() const;
    // The front-most window below `root` of each type without a picture that has no window in
    // sight there.
    std::vector<CEGUI::Window*> OutOfSight(CEGUI::Window& root) const;

private:
    std::string m_folder;
    std::vector<std::string> m_types;
    std::set<std::string> m_taken;
};

// The part of `image` inside `area` (pixels, clipped to the image); throws
// std::invalid_argument when nothing of it is inside.
RgbaImage Crop(const RgbaImage& image, int left, int top, int right, int bottom);
} // namespace ZuDemo
