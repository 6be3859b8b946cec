// A game widget of the demo's own, built on the module's game window base the way a game
// client adds its widgets: "ZuDemo/ObjectPortrait" shows the client-rendered picture of the
// game object "ObjectId" over the frame imagery of its look.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"

namespace ZuDemo
{
namespace ObjectPortraitProperty
{
struct ObjectId;
}

class ObjectPortrait : public ZuGUI::SharedPropertyLayer<ObjectPortrait, ZuGUI::ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static ObjectPortraitProperty::ObjectId s_objectIdProperty;
    struct SharePropertySet : CEGUI::ShareProSet
    {
        SharePropertySet();
    };
    static const SharePropertySet s_SharePros;

    ObjectPortrait(const CEGUI::String& type, const CEGUI::String& name);

    unsigned GetObjectId() const { return m_objectId; }
    void SetObjectId(unsigned objectId);

protected:
    void UpdateImp() override {}

private:
    unsigned m_objectId = 0;
};

namespace ObjectPortraitProperty
{
struct ObjectId : ZuGUI::WidgetProperty<ObjectPortrait, ZuGUI::UnsignedText,
                                        &ObjectPortrait::GetObjectId, &ObjectPortrait::SetObjectId>
{
    ObjectId();
};
} // namespace ObjectPortraitProperty

class ObjectPortraitRenderer : public ZuGUI::ZuRenderer
{
public:
    static const CEGUI::String TypeName;

    explicit ObjectPortraitRenderer(const CEGUI::String& type);
    void render() override;

protected:
    void RequestTextureParams() override {}
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params) override;
};

// Registers the window and renderer types with CEGUI.
void RegisterObjectPortrait();
} // namespace ZuDemo
