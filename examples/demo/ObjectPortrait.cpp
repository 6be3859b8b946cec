#include "demo/ObjectPortrait.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/FactoryTemplates.h"

#include <CEGUI/CEGUI.h>

namespace ZuDemo
{
const CEGUI::String ObjectPortrait::WidgetTypeName("ZuDemo/ObjectPortrait");
const CEGUI::String ObjectPortraitRenderer::TypeName("ZuDemo/ObjectPortrait");

ObjectPortraitProperty::ObjectId::ObjectId()
    : WidgetProperty("ObjectId",
                     "Property to get/set the game object shown by the portrait.  Value is a uint.",
                     "0")
{
}

ObjectPortraitProperty::ObjectId ObjectPortrait::s_objectIdProperty;

ObjectPortrait::SharePropertySet::SharePropertySet()
{
    addProperty(&s_objectIdProperty);
}

const ObjectPortrait::SharePropertySet ObjectPortrait::s_SharePros;

ObjectPortrait::ObjectPortrait(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
}

void ObjectPortrait::SetObjectId(unsigned objectId)
{
    if (objectId == m_objectId)
        return;
    m_objectId = objectId;
    invalidate();
}

ObjectPortraitRenderer::ObjectPortraitRenderer(const CEGUI::String& type) : ZuRenderer(type)
{
    SetImageOffset(0.5f, 0.0f, 0.5f, 0.0f);
}

void ObjectPortraitRenderer::render()
{
    getLookNFeel()
        .getStateImagery(d_window->isDisabled() ? "Disabled" : "Enabled")
        .render(*d_window);
    ZuRenderer::render();
}

void ObjectPortraitRenderer::UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params)
{
    if (const auto* portrait = dynamic_cast<const ObjectPortrait*>(d_window))
        params.push_back({portrait->GetObjectId(), 0, 0.0f, 0.0f});
}

void RegisterObjectPortrait()
{
    CEGUI::WindowFactoryManager::getSingleton().addFactory(
        &ZuGUI::FactoryInstance<ZuGUI::ZuWindowFactory<ObjectPortrait>>());
    ZuGUI::SafeRegisterRendererFactory(
        ZuGUI::FactoryInstance<ZuGUI::ZuWindowRendererFactory<ObjectPortraitRenderer>>());
}
} // namespace ZuDemo
