// ZuWindow: the base window of every widget that shows game data. It binds the window to the
// game client (registration and the provider subscription of its type), defers the refresh of
// game data to draw time, carries the compare id and the sparkle state, and draws its image
// cache over CEGUI's own geometry. It also holds the game object that the widget shows (its
// target) and the steps that resolve a target through the client and watch it.
#pragma once

#include "ZuGUIElements/base/ImageLayerWindow.h"
#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/host/HostQuery.h"
#include "ZuGUIElements/host/HostTrees.h"

#include <CEGUI/Window.h>

#include <string>
#include <utility>

namespace ZuGUI
{
class ZuWindow : public ImageLayerWindow<SharedPropertyLayer<ZuWindow, CEGUI::Window>>
{
public:
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventGameObjectCreated;
    static const CEGUI::String EventGameObjectUpdated;
    static const CEGUI::String EventGameObjectDestroyed;
    static const CEGUI::ShareProSet s_SharePros;

    ZuWindow(const CEGUI::String& type, const CEGUI::String& name);
    ~ZuWindow() override;

    // The client's refresh entry, also used by the widgets' own setters: the game data is
    // fetched again (UpdateImp) when the window is next drawn.
    void requestUpdate();

    void setCompareId(unsigned compareId) { d_compareId = compareId; }
    unsigned getCompareId() const { return d_compareId; }

    void setSparkingState(int state) { RedrawOnChange(this, d_sparkingState, state); }
    int getSparkingState() const { return d_sparkingState; }

    // The game object the window is bound to; 0 for none.
    unsigned GetTargetId() const { return d_targetId; }

    const std::string& GetProviderName() const { return d_providerName; }
    bool IsUpdateRequested() const { return d_updateRequested; }

protected:
    // Fetches the game data first when an update was requested.
    void drawSelf(const CEGUI::RenderingContext& context) override;
    // An update requested while the window was being drawn still gets its draw.
    void updateSelf(float elapsed) override;

    // Fetches the window's game data from the client.
    virtual void UpdateImp() = 0;

    // The setters' step for values that address game data: a changed value asks for an update.
    template <typename T, typename U>
    void UpdateOnChange(T& field, U&& value)
    {
        if (StoreChanged(field, std::forward<U>(value)))
            requestUpdate();
    }

    // Binds the window to `targetId` and moves the client's watch to it; true when the target
    // changed.
    bool BindTarget(unsigned targetId);

    // Asks `provider` for the id of the object to show: the request carries the keys that
    // `fillRequest(KeyValues&)` sets; an answer's `idKey` lands in `id` (HostTrees::kNoChangeId
    // when the reply lacks it), and `id` is left alone otherwise.
    template <typename FillRequest>
    QueryResult QueryTargetId(const char* provider, const char* idKey, int& id,
                              FillRequest&& fillRequest) const
    {
        return QueryHost(provider, std::forward<FillRequest>(fillRequest),
                         [&](KeyValues& reply)
                         { id = reply.GetInt(idKey, HostTrees::kNoChangeId); });
    }
    // The creature that the window's provider names for the role word `whichOne`.
    QueryResult QueryRoleCreature(const CEGUI::String& whichOne, int& id) const;

private:
    // Moves the client's watch of this window from `oldId` to `newId`: the old object is
    // released before the new one is watched, and id 0 is never watched or released.
    void MoveWatch(unsigned oldId, unsigned newId);
    void RunRequestedUpdate();

    std::string d_providerName;
    bool d_updateRequested = true;
    unsigned d_compareId = 0;
    int d_sparkingState = 0;
    unsigned d_targetId = 0;
};

// A widget's direct id ("CellId") when one is given, else the id that `ask()` gives.
template <typename Ask>
int DirectIdOr(unsigned directId, Ask&& ask)
{
    return directId != HostTrees::kNoDirectId ? static_cast<int>(directId) : ask();
}

// Asks the client for the object to compare `objectId` with; 0 when there is none, no client
// or no answer.
unsigned QueryCompareId(unsigned objectId);

// Asks the client for the tool tip of `objectId` (with the comparison text when wanted). On an
// answer `out` receives the text in UTF-8 ("" when the reply lacks it) and true is returned;
// otherwise `out` is left as it was.
bool QueryObjectTooltip(CEGUI::String& out, unsigned objectId, bool wantCompareText);
} // namespace ZuGUI
