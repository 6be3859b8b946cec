// Property classes that read and write a widget (or the window renderer attached to it)
// through its accessors. A widget declares each
// property once, as a class named after the property:
//
//   namespace ItemIconProperty {
//   struct PackageId : ZuGUI::WidgetProperty<CItemIcon, ZuGUI::UnsignedText,
//                                            &CItemIcon::getPackageId, &CItemIcon::setPackageId>
//   {
//       PackageId() : WidgetProperty("PackageId", "Property to ...  Value is a uint.", "0") {}
//   };
//   }
//
// A null getter makes a write-only property that reads back as ""; a null setter makes a
// read-only property that ignores writes.
#pragma once

#include "ZuGUIElements/platform/Localize.h"

#include <CEGUI/Property.h>
#include <CEGUI/PropertyHelper.h>
#include <CEGUI/Window.h>
#include <CEGUI/WindowRenderer.h>

#include <cstddef>
#include <iterator>
#include <type_traits>

namespace ZuGUI
{
// Text forms of property values. Each has the value type it reads, ToString and FromString.
struct StringText
{
    static const char* DataType() { return "String"; }
    static CEGUI::String ToString(const CEGUI::String& value) { return value; }
    static CEGUI::String FromString(const CEGUI::String& text) { return text; }
};

struct UnsignedText
{
    static const char* DataType() { return "uint"; }
    static CEGUI::String ToString(unsigned value)
    {
        return CEGUI::PropertyHelper<CEGUI::uint>::toString(value);
    }
    static unsigned FromString(const CEGUI::String& text)
    {
        return CEGUI::PropertyHelper<CEGUI::uint>::fromString(text);
    }
};

// A signed value shown and parsed in unsigned form (-1 reads 4294967295).
struct SignedAsUnsignedText
{
    static const char* DataType() { return "uint"; }
    static CEGUI::String ToString(int value)
    {
        return UnsignedText::ToString(static_cast<unsigned>(value));
    }
    static int FromString(const CEGUI::String& text)
    {
        return static_cast<int>(UnsignedText::FromString(text));
    }
};

// An unsigned value shown and parsed in signed form (4294967295 reads -1).
struct UnsignedAsSignedText
{
    static const char* DataType() { return "int"; }
    static CEGUI::String ToString(unsigned value)
    {
        return CEGUI::PropertyHelper<int>::toString(static_cast<int>(value));
    }
    static unsigned FromString(const CEGUI::String& text)
    {
        return static_cast<unsigned>(CEGUI::PropertyHelper<int>::fromString(text));
    }
};

struct IntText
{
    static const char* DataType() { return "int"; }
    static CEGUI::String ToString(int value) { return CEGUI::PropertyHelper<int>::toString(value); }
    static int FromString(const CEGUI::String& text)
    {
        return CEGUI::PropertyHelper<int>::fromString(text);
    }
};

struct FloatText
{
    static const char* DataType() { return "float"; }
    static CEGUI::String ToString(float value)
    {
        return CEGUI::PropertyHelper<float>::toString(value);
    }
    static float FromString(const CEGUI::String& text)
    {
        return CEGUI::PropertyHelper<float>::fromString(text);
    }
};

struct UVector2Text
{
    static const char* DataType() { return "UVector2"; }
    static CEGUI::String ToString(const CEGUI::UVector2& value)
    {
        return CEGUI::PropertyHelper<CEGUI::UVector2>::toString(value);
    }
    static CEGUI::UVector2 FromString(const CEGUI::String& text)
    {
        return CEGUI::PropertyHelper<CEGUI::UVector2>::fromString(text);
    }
};

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

// The render operations of game images: how the client draws an object's image. Widgets know
// the first `Known` of them by name.
struct RenderOperationName
{
    const char* name;
    int value;
};

inline constexpr RenderOperationName kRenderOperationNames[] = {
    {"RenderMap", 0},       {"RenderIcon", 1},        {"RenderLargeIcon", 2},
    {"RenderSmallIcon", 3}, {"RenderDarkIcon", 0x11}, {"RenderForceDarkIcon", 0x21},
};

// A render operation by name: an unknown name stores "RenderMap" (0), and a value without a
// name reads "".
template <std::size_t Known>
struct RenderOperationText
{
    static_assert(Known <= std::size(kRenderOperationNames), "more names than operations");

    static const char* DataType() { return "String"; }
    static CEGUI::String ToString(int value)
    {
        for (std::size_t i = 0; i < Known; ++i)
        {
            if (kRenderOperationNames[i].value == value)
                return kRenderOperationNames[i].name;
        }
        return CEGUI::String();
    }
    static int FromString(const CEGUI::String& text)
    {
        for (std::size_t i = 0; i < Known; ++i)
        {
            if (text == kRenderOperationNames[i].name)
                return kRenderOperationNames[i].value;
        }
        return kRenderOperationNames[0].value;
    }
};

// All six operations, as game icons know them.
using IconRenderOperText = RenderOperationText<6>;
// The four plain image kinds ("RenderMap" to "RenderSmallIcon"), as the creature viewer knows
// them.
using ImageRenderOperText = RenderOperationText<4>;

template <typename Widget, typename Text, auto Getter, auto Setter>
class WidgetProperty : public CEGUI::Property
{
    static constexpr bool kReadable = !std::is_same_v<decltype(Getter), std::nullptr_t>;
    static constexpr bool kWritable = !std::is_same_v<decltype(Setter), std::nullptr_t>;

public:
    WidgetProperty(const char* name, const char* help, const char* defaultValue)
        : CEGUI::Property(name, help, defaultValue, true, Text::DataType(), "ZuGUIElements")
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
        if constexpr (kWritable)
            (WidgetOf(receiver).*Setter)(Text::FromString(value));
    }

    bool isReadable() const override { return kReadable; }
    bool isWritable() const override { return kWritable; }
    CEGUI::Property* clone() const override { return new WidgetProperty(*this); }

private:
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
} // namespace ZuGUI
