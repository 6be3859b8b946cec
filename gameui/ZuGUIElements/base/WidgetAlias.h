// A window type that is an existing widget under names of its own, so that layouts and the
// client can tell it apart (spell slots beside item slots, guides beside rich text). It adds no
// behaviour: its events, properties and renderer are the widget's.
#pragma once

#include <CEGUI/String.h>

namespace ZuGUI
{
// `kProviderName` is the client's provider of the type, or null for none.
template <typename TWidget, const char* kTypeName, const char* kEventNamespace,
          const char* kProviderName = nullptr>
class WidgetAlias : public TWidget
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static constexpr const char* ProviderName = kProviderName;

    using TWidget::TWidget;
};

template <typename TWidget, const char* kTypeName, const char* kEventNamespace,
          const char* kProviderName>
const CEGUI::String
    WidgetAlias<TWidget, kTypeName, kEventNamespace, kProviderName>::WidgetTypeName(kTypeName);

template <typename TWidget, const char* kTypeName, const char* kEventNamespace,
          const char* kProviderName>
const CEGUI::String WidgetAlias<TWidget, kTypeName, kEventNamespace, kProviderName>::EventNamespace(
    kEventNamespace);
} // namespace ZuGUI
