// CGameValueText ("ZuGame/GameValueText"): a static text showing one named property of a game
// creature, as the game client formats it. "WhichOne" names the creature by a role word and
// "WhichProperty" the property; the widget resolves and watches the creature through the
// client and sets its window text to the client's string. The look draws the text.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/module/FactoryTemplates.h"

namespace ZuGUI
{
namespace GameValueTextProperty
{
struct WhichOne;
struct WhichProperty;
} // namespace GameValueTextProperty

class CGameValueText : public SharedPropertyLayer<CGameValueText, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static GameValueTextProperty::WhichOne s_WhichOne;
    static GameValueTextProperty::WhichProperty s_WhichProperty;
    struct SharePropertySet : CEGUI::ShareProSet
    {
        SharePropertySet();
    };
    static const SharePropertySet s_SharePros;

    CGameValueText(const CEGUI::String& type, const CEGUI::String& name);

    const CEGUI::String& GetWhichOne() const { return d_whichOne; }
    void SetWhichOne(const CEGUI::String& whichOne);
    const CEGUI::String& GetWhichProperty() const { return d_whichProperty; }
    void SetWhichProperty(const CEGUI::String& whichProperty);

    // The creature the text is bound to; 0 for none.
    unsigned GetTargetId() const { return d_objectId; }

protected:
    void UpdateImp() override;
    // Asks the client for the property's text and shows it ("" when unanswered).
    virtual void RequestText();

private:
    CEGUI::String d_whichOne;
    CEGUI::String d_whichProperty;
    unsigned d_objectId = 0;
};

using CGameValueTextFactory = ZuWindowFactory<CGameValueText>;

namespace GameValueTextProperty
{
struct WhichOne : WidgetProperty<CGameValueText, StringText, &CGameValueText::GetWhichOne,
                                 &CGameValueText::SetWhichOne>
{
    WhichOne();
};

struct WhichProperty : WidgetProperty<CGameValueText, StringText, &CGameValueText::GetWhichProperty,
                                      &CGameValueText::SetWhichProperty>
{
    WhichProperty();
};
} // namespace GameValueTextProperty
} // namespace ZuGUI

namespace CEGUI
{
// Draws the value text's frame, background and text imagery; it asks for no game image.
class CGameValueTextRenderer : public ZuGUI::ZuRenderer
{
public:
    static const String TypeName;

    explicit CGameValueTextRenderer(const String& type);
    void render() override;

protected:
    void RequestTextureParams() override {}
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>&) override {}
};

using CGameValueTextRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CGameValueTextRenderer>;
} // namespace CEGUI
