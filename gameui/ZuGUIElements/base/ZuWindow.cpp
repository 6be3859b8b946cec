#include "ZuGUIElements/base/ZuWindow.h"

#include "ZuGUIElements/host/ClientLink.h"

namespace ZuGUI
{
const CEGUI::String ZuWindow::EventNamespace("ZuWindow");
const CEGUI::String ZuWindow::EventGameObjectCreated("GameObjectCreated");
const CEGUI::String ZuWindow::EventGameObjectUpdated("GameObjectUpdated");
const CEGUI::String ZuWindow::EventGameObjectDestroyed("GameObjectDestroyed");

const CEGUI::ShareProSet ZuWindow::s_SharePros{
    WidgetProperty<&ZuWindow::getCompareId, &ZuWindow::setCompareId>(
        "GameObjectCompareId",
        "Property to get/set the compare id for the ZuWindow.  Value is a uint.", "0"),
    WidgetProperty<&ZuWindow::getSparkingState, &ZuWindow::setSparkingState, SignedAsUnsignedText>(
        "Sparking", "Property to get/set the sparking state for the ZuWindow.  Value is a uint.",
        "0"),
};

ZuWindow::ZuWindow(const CEGUI::String& type, const CEGUI::String& name)
    : ImageLayerWindow(type, name)
{
    IZuGUI* host = GetHost();
    if (!host)
        return;
    host->RegisterWindow(this);
    d_providerName = ProviderNameOf(type);
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

bool ZuWindow::BindTarget(unsigned targetId)
{
    const unsigned previous = d_targetId;
    d_targetId = targetId;
    MoveWatch(previous, targetId);
    return previous != targetId;
}

QueryResult ZuWindow::QueryRoleCreature(const CEGUI::String& whichOne, int& id) const
{
    return QueryTargetId(GetProviderName().c_str(), HostTrees::kCreatureId, id,
                         [&](KeyValues& request)
                         { request.SetString(HostTrees::kWhichOne, whichOne.c_str()); });
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
    // Cleared first: a request made by the update or by a "GameObjectUpdated" handler is kept
    // for the next draw.
    d_updateRequested = false;
    UpdateImp();
    CEGUI::EventArgs args;
    fireEvent(EventGameObjectUpdated, args, EventNamespace);
}

void ZuWindow::updateSelf(float elapsed)
{
    ImageLayerWindow::updateSelf(elapsed);
    // CEGUI forgets a redraw asked for during the draw pass: ask again for the next frame.
    if (d_updateRequested)
        invalidate();
}

void ZuWindow::drawSelf(const CEGUI::RenderingContext& context)
{
    RunRequestedUpdate();
    ImageLayerWindow::drawSelf(context);
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
