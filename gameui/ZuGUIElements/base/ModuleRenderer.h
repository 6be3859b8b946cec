// ModuleRenderer<Base>: what every window renderer of the module adds to the CEGUI renderer it
// derives from. Drawing goes through RenderImagery, and nothing it throws leaves CEGUI's draw
// pass: the error is logged once for the window and the rest of that draw is skipped. A window
// without a look has its whole area as its inner area instead of an exception.
#pragma once

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/host/WindowRecords.h"

#include <CEGUI/Window.h>

#include <optional>

namespace ZuGUI
{
template <typename Base>
class ModuleRenderer : public Base
{
public:
    using Base::Base;

    void render() final
    {
        if (this->d_window)
            RunLoggingErrors(*this->d_window, "drawing", [this] { RenderImagery(); });
    }

    CEGUI::Rectf getUnclippedInnerRect() const override
    {
        if (LookImagery::HasLook(*this->d_window))
            return Base::getUnclippedInnerRect();
        return this->d_window->getUnclippedOuterRect().get();
    }

protected:
    // The renderer's drawing, called for every redraw of the attached window.
    virtual void RenderImagery() = 0;

    // The look's state imagery `name` over the window; nothing (logged once) when it lacks it.
    void RenderStateImagery(const CEGUI::String& name) const
    {
        if (this->d_window)
            LookImagery::RenderStateImagery(*this->d_window, name);
    }
    // The look's named area `name` in window pixels, or none.
    std::optional<CEGUI::Rectf> NamedArea(const CEGUI::String& name) const
    {
        if (!this->d_window)
            return std::nullopt;
        return LookImagery::NamedAreaRect(*this->d_window, name);
    }
};
} // namespace ZuGUI
