// The shared property set convention of the module's window classes.
//
// Each class keeps its property objects once for the whole process, in a static set named
// s_SharePros. SharedPropertyLayer<Owner, Base> puts one class's set over its base class:
// - CEGUI's own property API (setProperty, getProperty, layouts) reaches the shared objects,
//   because the layer adds them to every window of the class at construction;
// - FindSharePros looks a name up from the most derived class towards CEGUI::Window;
// - XML writing writes each shared property exactly once (base classes first, each set in its
//   own order) and only when it is neither banned from XML nor at its default.
#pragma once

#include "ZuGUIElements/base/ShareProSet.h"

#include <CEGUI/Window.h>
#include <CEGUI/XMLSerializer.h>

#include <type_traits>

namespace ZuGUI
{
// The window operations of the convention.
class ISharedPropertyWindow
{
public:
    virtual CEGUI::Property* FindSharePros(const CEGUI::String& name) const = 0;
    virtual void WriteSharePropToXML(CEGUI::XMLSerializer& xml, int& count) const = 0;

protected:
    ~ISharedPropertyWindow() = default;
};

namespace detail
{
template <typename Base>
constexpr bool kHasSharedProperties = std::is_base_of_v<ISharedPropertyWindow, Base>;

// One distinct empty base per layer, so that layers stacked three deep do not repeat a base.
template <typename Base>
struct SharedPropertyInterfacePresent
{
};

// The lowest layer over a stock CEGUI class brings the interface and the XML writing.
template <typename Base>
using SharedPropertyInterfaceFor =
    std::conditional_t<kHasSharedProperties<Base>, SharedPropertyInterfacePresent<Base>,
                       ISharedPropertyWindow>;

// Writes the properties of `window` that are not shared, as CEGUI::Window does for all of them.
int WriteUnsharedPropertiesXML(const CEGUI::Window& window, const ISharedPropertyWindow& shared,
                               CEGUI::XMLSerializer& xml);

// Writes each property of `set` that `window` neither bans from XML nor holds at its default,
// unless a more derived class replaced it.
void WriteSharedSetXML(const CEGUI::Window& window, const ISharedPropertyWindow& shared,
                       const CEGUI::ShareProSet& set, CEGUI::XMLSerializer& xml, int& count);

// Adds the properties of `set` to the window's own property set, replacing a base class's
// property of the same name.
void AddSharedSet(CEGUI::Window& window, const CEGUI::ShareProSet& set);
} // namespace detail

template <typename Owner, typename Base>
class SharedPropertyLayer : public Base, public detail::SharedPropertyInterfaceFor<Base>
{
public:
    SharedPropertyLayer(const CEGUI::String& type, const CEGUI::String& name) : Base(type, name)
    {
        detail::AddSharedSet(*this, Owner::s_SharePros);
    }

    CEGUI::Property* FindSharePros(const CEGUI::String& name) const override
    {
        if (CEGUI::Property* property = Owner::s_SharePros.GetpProperty(name))
            return property;
        if constexpr (detail::kHasSharedProperties<Base>)
            return Base::FindSharePros(name);
        else
            return nullptr;
    }

    void WriteSharePropToXML(CEGUI::XMLSerializer& xml, int& count) const override
    {
        if constexpr (detail::kHasSharedProperties<Base>)
            Base::WriteSharePropToXML(xml, count);
        detail::WriteSharedSetXML(*this, *this, Owner::s_SharePros, xml, count);
    }

protected:
    int writePropertiesXML(CEGUI::XMLSerializer& xml) const override
    {
        if constexpr (detail::kHasSharedProperties<Base>)
            return Base::writePropertiesXML(xml);
        int count = detail::WriteUnsharedPropertiesXML(*this, *this, xml);
        WriteSharePropToXML(xml, count);
        return count;
    }
};
} // namespace ZuGUI
