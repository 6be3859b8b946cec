#include "ZuGUIElements/base/ZuWindow.h"

#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

namespace ZuGUI
{
const CEGUI::String ZuWindow::EventNamespace("ZuWindow");
const CEGUI::String ZuWindow::EventGameObjectCreated("GameObjectCreated");
const CEGUI::String ZuWindow::EventGameObjectUpdated("GameObjectUpdated");
const CEGUI::String ZuWindow::EventGameObjectDestroyed("GameObjectDestroyed");

namespace ZuWindowProperty
{
CompareId::CompareId()
    : WidgetProperty("GameObjectCompareId",
                     "Property to get/set the compare id for the ZuWindow.  Value is a int.", "0")
{
}

SparkingState::SparkingState()
    : WidgetProperty("Sparking",
                     "Property to get/set the sparking state for the ZuWindow.  Value is a int.",
                     "0")
{
}
} // namespace ZuWindowProperty

ZuWindowProperty::CompareId ZuWindow::s_compareIdProperty;
ZuWindowProperty::SparkingState ZuWindow::s_SparkingStateProperty;

ZuWindow::SharePropertySet::SharePropertySet()
{
    addProperty(&s_compareIdProperty);
    addProperty(&s_SparkingStateProperty);
}

const ZuWindow::SharePropertySet ZuWindow::s_SharePros;

ZuWindow::ZuWindow(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
    IZuGUI* host = GetHost();
    if (!host)
        return;
    host->RegisterWindow(this);
    d_providerName = ZuGUIExtraFacoryManager::Instance().TranslateTypeToProviderName(type);
    host->SubscribeProvider(this, d_providerName.c_str());
}

ZuWindow::~ZuWindow()
{
    if (IZuGUI* host = GetHost())
    {
        host->UnsubscribeProvider(this, d_providerName.c_str());
        host->UnregisterWindow(this);
    }
}

void ZuWindow::requestUpdate()
{
    d_updateRequested = true;
    invalidate();
}

void ZuWindow::setSparkingState(int state)
{
    if (state == d_sparkingState)
        return;
    d_sparkingState = state;
    invalidate();
}

void ZuWindow::MoveWatch(unsigned oldId, unsigned newId)
{
    IZuGUI* host = GetHost();
    if (!host || oldId == newId)
        return;
    if (oldId != 0)
        host->UnwatchObject(this, static_cast<int>(oldId));
    if (newId != 0)
        host->WatchObject(this, static_cast<int>(newId));
}

void ZuWindow::RunRequestedUpdate()
{
    if (!d_updateRequested)
        return;
    UpdateImp();
    CEGUI::EventArgs args;
    fireEvent(EventGameObjectUpdated, args, EventNamespace);
    d_updateRequested = false;
}

void ZuWindow::drawSelf(const CEGUI::RenderingContext& context)
{
    RunRequestedUpdate();
    // The renderer records the proxy layer again whenever the window's geometry is rebuilt.
    if (d_needsRedraw)
        d_imageCache.ClearCache();
    bufferGeometry(context);
    queueGeometry(context);
    if (d_imageCache.hasCachedImagery())
        d_imageCache.Queue(*this, context);
}

unsigned QueryCompareId(unsigned objectId)
{
    unsigned compareId = 0;
    QueryHost(
        HostTrees::kGameObjectCompare,
        [&](KeyValues& request)
        { request.SetInt(HostTrees::kObjectId, static_cast<int>(objectId)); },
        [&](KeyValues& reply)
        { compareId = static_cast<unsigned>(reply.GetInt(HostTrees::kGameObjectCompareId, 0)); });
    return compareId;
}

bool QueryObjectTooltip(CEGUI::String& out, unsigned objectId, bool wantCompareText)
{
    return QueryHost(
        HostTrees::kGameObjectTooltip,
        [&](KeyValues& request)
        {
            request.SetInt(HostTrees::kObjectId, static_cast<int>(objectId));
            if (wantCompareText)
                request.SetInt(HostTrees::kGameObjectNeedCmpTxt, 1);
        },
        [&](KeyValues& reply) { out = ReplyText(reply, HostTrees::kGameObjectTooltipValue); });
}
} // namespace ZuGUI
