#include "demo/WidgetPictures.h"

#include "ZuGUIElements/module/FactoryRegistry.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace ZuDemo
{
namespace
{
// Pixels of the surroundings kept around a window.
constexpr int kMargin = 6;
constexpr float kSlack = 0.5f;

std::string Text(const CEGUI::String& text)
{
    return text.c_str();
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The skin types that show the module: a module window type or a module renderer.
std::vector<std::string> ModuleSkinTypes()
{
    std::vector<std::string> windowTypes;
    for (const ZuGUI::WindowFactoryRow* row = ZuGUI::ModuleWindowFactories(); row->factory; ++row)
        windowTypes.push_back(Text(row->factory().getTypeName()));
    std::vector<std::string> renderers;
    for (const ZuGUI::RendererFactoryRow* rows :
         {ZuGUI::ModuleRendererFactories().rows(), ZuGUI::ModuleLookRendererFactories()})
        for (const ZuGUI::RendererFactoryRow* row = rows; row->factory; ++row)
            renderers.push_back(Text(row->typeName()));
    std::vector<std::string> types;
    auto it = CEGUI::WindowFactoryManager::getSingleton().getFalagardMappingIterator();
    for (; !it.isAtEnd(); ++it)
    {
        const CEGUI::WindowFactoryManager::FalagardWindowMapping& mapping = it.getCurrentValue();
        if (Contains(windowTypes, Text(mapping.d_baseType)) ||
            Contains(renderers, Text(mapping.d_rendererType)))
            types.push_back(Text(mapping.d_windowType));
    }
    std::sort(types.begin(), types.end());
    return types;
}

std::string PictureFileName(const std::string& type)
{
    std::string name = type;
    std::replace(name.begin(), name.end(), '/', '-');
    return name + ".png";
}

bool IsWhollyInSight(const CEGUI::Window& window)
{
    const CEGUI::Rectf outer = window.getUnclippedOuterRect().get();
    const CEGUI::Rectf seen = window.getOuterRectClipper();
    return std::abs(outer.left() - seen.left()) < kSlack &&
           std::abs(outer.top() - seen.top()) < kSlack &&
           std::abs(outer.right() - seen.right()) < kSlack &&
           std::abs(outer.bottom() - seen.bottom()) < kSlack;
}

bool IsInSight(const CEGUI::Window& window)
{
    const CEGUI::Rectf seen = window.getOuterRectClipper();
    return window.isEffectiveVisible() && seen.getWidth() >= 1.0f && seen.getHeight() >= 1.0f;
}

// The windows below `window` (itself included) front to back: later children are drawn over
// earlier ones.
template <typename Window>
void CollectFrontToBack(Window& window, std::vector<Window*>& windows)
{
    windows.push_back(&window);
    for (std::size_t i = window.getChildCount(); i-- > 0;)
        CollectFrontToBack<Window>(*window.getChildAtIdx(i), windows);
}
} // namespace

RgbaImage Crop(const RgbaImage& image, int left, int top, int right, int bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width);
    bottom = std::min(bottom, image.height);
    if (left >= right || top >= bottom)
        throw std::invalid_argument("the area to cut lies outside the image");
    RgbaImage part{right - left, bottom - top, {}};
    const std::size_t rowBytes = static_cast<std::size_t>(part.width) * 4;
    part.pixels.reserve(rowBytes * static_cast<std::size_t>(part.height));
    for (int y = top; y < bottom; ++y)
    {
        const auto row =
            image.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * image.width + left) * 4;
        part.pixels.insert(part.pixels.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return part;
}

WidgetPictures::WidgetPictures(std::string folder)
    : m_folder(std::move(folder)), m_types(ModuleSkinTypes())
{
}

std::vector<std::string> WidgetPictures::Take(const RgbaImage& frame, const CEGUI::Window& root)
{
    std::vector<const CEGUI::Window*> windows;
    CollectFrontToBack(root, windows);
    std::vector<std::string> written;
    for (const std::string& type : m_types)
    {
        if (m_taken.count(type))
            continue;
        const CEGUI::Window* chosen = nullptr;
        for (const CEGUI::Window* window : windows)
        {
            if (Text(window->getType()) != type || !IsInSight(*window))
                continue;
            if (IsWhollyInSight(*window))
            {
                chosen = window;
                break;
            }
            if (!chosen)
                chosen = window;
        }
        if (!chosen)
            continue;
        const CEGUI::Rectf seen = chosen->getOuterRectClipper();
        const std::string path = (std::filesystem::path(m_folder) / PictureFileName(type)).string();
        WritePng(path, Crop(frame, static_cast<int>(std::floor(seen.left())) - kMargin,
                            static_cast<int>(std::floor(seen.top())) - kMargin,
                            static_cast<int>(std::ceil(seen.right())) + kMargin,
                            static_cast<int>(std::ceil(seen.bottom())) + kMargin));
        m_taken.insert(type);
        written.push_back(path);
    }
    return written;
}

std::vector<CEGUI::Window*> WidgetPictures::OutOfSight(CEGUI::Window& root) const
{
    std::vector<CEGUI::Window*> windows;
    CollectFrontToBack(root, windows);
    std::vector<CEGUI::Window*> hidden;
    for (const std::string& type : Missing())
    {
        const auto ofType = [&](const CEGUI::Window* window)
        { return Text(window->getType()) == type; };
        const auto first = std::find_if(windows.begin(), windows.end(), ofType);
        const bool inSight = std::any_of(windows.begin(), windows.end(),
                                         [&](const CEGUI::Window* window)
                                         { return ofType(window) && IsInSight(*window); });
        if (first != windows.end() && !inSight)
            hidden.push_back(*first);
    }
    return hidden;
}

std::vector<std::string> WidgetPictures::Missing() const
{
    std::vector<std::string> missing;
    for (const std::string& type : m_types)
        if (!m_taken.count(type))
            missing.push_back(type);
    return missing;
}
} // namespace ZuDemo
