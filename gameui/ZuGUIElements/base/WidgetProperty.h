// Property classes that read and write a widget (or the window renderer attached to it)
// through its accessors. A widget declares each property in one line, inside the list of its
// class's property set:
//
//   const CEGUI::ShareProSet CItemIcon::s_SharePros{
//       WidgetProperty<&CItemIcon::getPackageId, &CItemIcon::setPackageId>(
//           "PackageId", "Property to get/set the package id ...  Value is a uint.", "0"),
//       ...};
//
// The text form follows the accessors' value type (TextOf); a third template argument names
// another one (e.g. SignedAsUnsignedText). A null getter makes a write-only property that
// reads back as ""; a null setter makes a read-only property that ignores writes. A setter
// without a parameter makes a command property: any write runs it. A fourth template argument,
// a getter, makes the default the widget's own (a value that differs between the renderers
// that share the property); the declared default stands for a window without the widget.
#pragma once

#include "ZuGUIElements/platform/Localize.h"

#include <CEGUI/Property.h>
#include <CEGUI/PropertyHelper.h>
#include <CEGUI/Window.h>
#include <CEGUI/WindowRenderer.h>

#include <cstddef>
#include <iterator>
#include <type_traits>
#include <utility>

namespace ZuGUI
{
// Text forms of property values. Each has the value type it reads, ToString and FromString.
// Those over one of CEGUI's own value types use CEGUI's text form of that type.
template <typename T>
struct CeguiText
{
    static const char* DataType() { return CEGUI::PropertyHelper<T>::getDataTypeName().c_str(); }
    static CEGUI::String ToString(const T& value)
    {
        return CEGUI::PropertyHelper<T>::toString(value);
    }
    static T FromString(const CEGUI::String& text)
    {
        return CEGUI::PropertyHelper<T>::fromString(text);
    }
};

using StringText = CeguiText<CEGUI::String>;
using UnsignedText = CeguiText<CEGUI::uint>;
using IntText = CeguiText<int>;
using FloatText = CeguiText<float>;
using UVector2Text = CeguiText<CEGUI::UVector2>;
// Colours in CEGUI's text form (AARRGGBB).
using ColourText = CeguiText<CEGUI::Colour>;

// A `Value` shown and parsed in the text form of `Shown`: SignedAsUnsignedText shows -1 as
// 4294967295, UnsignedAsSignedText shows 4294967295 as -1.
template <typename Value, typename Shown>
struct CastText
{
    static const char* DataType() { return CeguiText<Shown>::DataType(); }
    static CEGUI::String ToString(Value value)
    {
        return CeguiText<Shown>::ToString(static_cast<Shown>(value));
    }
    static Value FromString(const CEGUI::String& text)
    {
        return static_cast<Value>(CeguiText<Shown>::FromString(text));
    }
};

using SignedAsUnsignedText = CastText<int, CEGUI::uint>;
using UnsignedAsSignedText = CastText<unsigned, int>;

// "True" and "False", the form that layouts and the declared defaults use; "true" is read too.
struct BoolText
{
    static const char* DataType() { return "bool"; }
    static CEGUI::String ToString(bool value) { return value ? "True" : "False"; }
    static bool FromString(const CEGUI::String& text)
    {
        return CEGUI::PropertyHelper<bool>::fromString(text);
    }
};

// A text that may be a localisation key: a text beginning with "#" is stored as the text to
// show (LocalizeString), any other text as it is.
struct LocalizedText : StringText
{
    static CEGUI::String FromString(const CEGUI::String& text) { return LocalizeString(text); }
};

// One name of an enumerated value.
template <typename Value>
struct NamedOf
{
    const char* name;
    Value value;
};
using NamedValue = NamedOf<int>;

// A value by its name in `Names` (an array of NamedOf): an unknown name stores the first
// entry's value, and a value without a name reads "".
template <const auto& Names>
struct NamedValueText
{
    static_assert(std::size(Names) > 0, "a named value needs at least one name");
    using Value = std::remove_cv_t<decltype(std::data(Names)->value)>;

    static const char* DataType() { return "String"; }
    static CEGUI::String ToString(Value value)
    {
        for (const auto& entry : Names)
        {
            if (entry.value == value)
                return entry.name;
        }
        return CEGUI::String();
    }
    static Value FromString(const CEGUI::String& text)
    {
        for (const auto& entry : Names)
        {
            if (text == entry.name)
                return entry.value;
        }
        return Names[0].value;
    }
};

// The usual text form of a value type; a command property's is a plain string.
template <typename T>
struct TextOf
{
    using type = CeguiText<T>;
};
template <>
struct TextOf<void>
{
    using type = StringText;
};
template <>
struct TextOf<bool>
{
    using type = BoolText;
};

namespace detail
{
// The class and value type of a getter or setter.
template <typename Accessor>
struct AccessorTraits;

template <typename Class, typename Value>
struct AccessorTraits<Value (Class::*)() const>
{
    using Owner = Class;
    using Type = std::decay_t<Value>;
};

// A setter's result, if any, is not used.
template <typename Class, typename Result, typename Value>
struct AccessorTraits<Result (Class::*)(Value)>
{
    using Owner = Class;
    using Type = std::decay_t<Value>;
};

template <typename Class, typename Result>
struct AccessorTraits<Result (Class::*)()>
{
    using Owner = Class;
    using Type = void;
};

template <>
struct AccessorTraits<std::nullptr_t>
{
    using Owner = void;
    using Type = void;
};

// The class that the property acts on: the more derived of the accessors' classes.
template <auto Getter, auto Setter>
using PropertyOwner =
    std::conditional_t<std::is_void_v<typename AccessorTraits<decltype(Setter)>::Owner> ||
                           (!std::is_void_v<typename AccessorTraits<decltype(Getter)>::Owner> &&
                            std::is_base_of_v<typename AccessorTraits<decltype(Setter)>::Owner,
                                              typename AccessorTraits<decltype(Getter)>::Owner>),
                       typename AccessorTraits<decltype(Getter)>::Owner,
                       typename AccessorTraits<decltype(Setter)>::Owner>;

template <auto Getter, auto Setter>
using PropertyValue =
    std::conditional_t<std::is_void_v<typename AccessorTraits<decltype(Getter)>::Type>,
                       typename AccessorTraits<decltype(Setter)>::Type,
                       typename AccessorTraits<decltype(Getter)>::Type>;
} // namespace detail

template <auto Getter, auto Setter,
          typename Text = typename TextOf<detail::PropertyValue<Getter, Setter>>::type,
          auto DefaultGetter = nullptr>
class WidgetProperty final : public CEGUI::Property
{
    using Widget = detail::PropertyOwner<Getter, Setter>;
    static constexpr bool kReadable = !std::is_same_v<decltype(Getter), std::nullptr_t>;
    static constexpr bool kOwnDefault = !std::is_same_v<decltype(DefaultGetter), std::nullptr_t>;
    static constexpr bool kWritable = !std::is_same_v<decltype(Setter), std::nullptr_t>;
    static constexpr bool kCommand =
        kWritable && std::is_void_v<typename detail::AccessorTraits<decltype(Setter)>::Type>;

public:
    // A write-only property is a command ("PushChat", "Clear"): a layout never records it, or
    // loading the layout would run it.
    WidgetProperty(const char* name, const char* help, const char* defaultValue)
        : CEGUI::Property(name, help, defaultValue, kReadable, Text::DataType(), "ZuGUIElements")
    {
    }

    CEGUI::String get(const CEGUI::PropertyReceiver* receiver) const override
    {
        if constexpr (kReadable)
            return Text::ToString((WidgetOf(receiver).*Getter)());
        else
            return CEGUI::String();
    }

    void set(CEGUI::PropertyReceiver* receiver, const CEGUI::String& value) override
    {
        if constexpr (kCommand)
            (WidgetOf(receiver).*Setter)();
        else if constexpr (kWritable)
            (WidgetOf(receiver).*Setter)(Text::FromString(value));
    }

    // The default that a layout writer compares the value with.
    CEGUI::String getDefault(const CEGUI::PropertyReceiver* receiver) const override
    {
        if constexpr (kOwnDefault)
        {
            if (HasWidget(receiver))
                return Text::ToString((WidgetOf(receiver).*DefaultGetter)());
        }
        return CEGUI::Property::getDefault(receiver);
    }

    bool isReadable() const override { return kReadable; }
    bool isWritable() const override { return kWritable; }
    CEGUI::Property* clone() const override { return new WidgetProperty(*this); }

private:
    // A renderer's property reaches a window only while the renderer is attached.
    static bool HasWidget(const CEGUI::PropertyReceiver* receiver)
    {
        if (!receiver)
            return false;
        if constexpr (std::is_base_of_v<CEGUI::WindowRenderer, Widget>)
            return static_cast<const CEGUI::Window*>(receiver)->getWindowRenderer() != nullptr;
        else
            return true;
    }

    // The receiver is the window; a renderer's properties act on its attached renderer.
    static Widget& WidgetOf(const CEGUI::PropertyReceiver* receiver)
    {
        auto& window = const_cast<CEGUI::Window&>(*static_cast<const CEGUI::Window*>(receiver));
        if constexpr (std::is_base_of_v<CEGUI::WindowRenderer, Widget>)
            return static_cast<Widget&>(*window.getWindowRenderer());
        else
            return static_cast<Widget&>(window);
    }
};

// The setters' first step: stores `value` in `field` when it differs and tells whether it did.
template <typename T, typename U>
bool StoreChanged(T& field, U&& value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

// A setter of a value that only alters the look: a changed value redraws `window` (none yet
// for a renderer that is not attached).
template <typename T, typename U>
void RedrawOnChange(CEGUI::Window* window, T& field, U&& value)
{
    if (StoreChanged(field, std::forward<U>(value)) && window)
        window->invalidate();
}
} // namespace ZuGUI
