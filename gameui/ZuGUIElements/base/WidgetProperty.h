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

#include <CEGUI/Property.h>
#include <CEGUI/PropertyHelper.h>
#include <CEGUI/Window.h>
#include <CEGUI/WindowRenderer.h>

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
