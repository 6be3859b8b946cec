// CGameValueText ("ZuGame/GameValueText"): a static text showing one named property of a game
// creature, as the game client formats it. "WhichOne" names the creature by a role word and
// "WhichProperty" the property; the widget resolves and watches the creature through the
// client and sets its window text to the client's string. The look draws the text.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

namespace ZuGUI
{
class CGameValueText : public SharedPropertyLayer<CGameValueText, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    // The client's provider that serves this window type.
    static constexpr const char* ProviderName = "GameCreatureProvider";
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    const CEGUI::String& GetWhichOne() const { return d_whichOne; }
    void SetWhichOne(const CEGUI::String& whichOne) { UpdateOnChange(d_whichOne, whichOne); }
    const CEGUI::String& GetWhichProperty() const { return d_whichProperty; }
    void SetWhichProperty(const CEGUI::String& whichProperty)
    {
        UpdateOnChange(d_whichProperty, whichProperty);
    }

protected:
    void UpdateImp() override;
    // Asks the client for the property's text and shows it ("" when unanswered).
    virtual void RequestText();
    // Asks the client for the property of the bound creature; `readValue(KeyValues&)` reads an
    // answer.
    template <typename ReadValue>
    QueryResult QueryPropertyValue(ReadValue&& readValue) const
    {
        return QueryHost(
            HostTrees::kGameObjectProperty,
            [this](KeyValues& request)
            {
                request.SetInt(HostTrees::kObjectId, static_cast<int>(GetTargetId()));
                request.SetString(HostTrees::kWhichProperty, d_whichProperty.c_str());
            },
            std::forward<ReadValue>(readValue));
    }

private:
    CEGUI::String d_whichOne;
    CEGUI::String d_whichProperty;
};

using CGameValueTextFactory = ZuWindowFactory<CGameValueText>;
} // namespace ZuGUI

namespace CEGUI
{
// Draws the value text's frame, background and text imagery; it asks for no game image.
class CGameValueTextRenderer : public ZuGUI::GameRenderer<ZuGUI::CGameValueText>
{
public:
    static const String TypeName;

    using GameRenderer::GameRenderer;

protected:
    void RenderImagery() override;
};

using CGameValueTextRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CGameValueTextRenderer>;
} // namespace CEGUI
