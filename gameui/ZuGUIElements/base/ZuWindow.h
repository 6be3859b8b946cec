// ZuWindow: the base window of every widget that shows game data. It binds the window to the
// game client (registration and the provider subscription of its type), defers the refresh of
// game data to draw time, carries the compare id and the sparkle state, and draws its image
// cache over CEGUI's own geometry.
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/ZuImageCache.h"

#include <CEGUI/Window.h>

#include <string>

namespace ZuGUI
{
namespace ZuWindowProperty
{
struct CompareId;
struct SparkingState;
} // namespace ZuWindowProperty

class ZuWindow : public SharedPropertyLayer<ZuWindow, CEGUI::Window>
{
public:
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventGameObjectCreated;
    static const CEGUI::String EventGameObjectUpdated;
    static const CEGUI::String EventGameObjectDestroyed;

    static ZuWindowProperty::CompareId s_compareIdProperty;
    static ZuWindowProperty::SparkingState s_SparkingStateProperty;
    struct SharePropertySet : CEGUI::ShareProSet
    {
        SharePropertySet();
    };
    static const SharePropertySet s_SharePros;

    ZuWindow(const CEGUI::String& type, const CEGUI::String& name);
    ~ZuWindow() override;

    // The client's refresh entry, also used by the widgets' own setters: the game data is
    // fetched again (UpdateImp) when the window is next drawn.
    void requestUpdate();

    void setCompareId(unsigned compareId) { d_compareId = compareId; }
    unsigned getCompareId() const { return d_compareId; }

    void setSparkingState(int state);
    int getSparkingState() const { return d_sparkingState; }

    ZuImageCache& GetZuImageCache() { return d_imageCache; }
    const std::string& GetProviderName() const { return d_providerName; }
    bool IsUpdateRequested() const { return d_updateRequested; }

protected:
    void drawSelf(const CEGUI::RenderingContext& context) override;

    // Moves the client's watch of this window from `oldId` to `newId`: the old object is
    // released before the new one is watched, and id 0 is never watched or released.
    void MoveWatch(unsigned oldId, unsigned newId);

    // Fetches the window's game data from the client.
    virtual void UpdateImp() = 0;

private:
    void RunRequestedUpdate();

    ZuImageCache d_imageCache;
    std::string d_providerName;
    bool d_updateRequested = true;
    unsigned d_compareId = 0;
    int d_sparkingState = 0;
};

namespace ZuWindowProperty
{
struct CompareId
    : WidgetProperty<ZuWindow, UnsignedText, &ZuWindow::getCompareId, &ZuWindow::setCompareId>
{
    CompareId();
};

struct SparkingState : WidgetProperty<ZuWindow, SignedAsUnsignedText, &ZuWindow::getSparkingState,
                                      &ZuWindow::setSparkingState>
{
    SparkingState();
};
} // namespace ZuWindowProperty

// Asks the client for the object to compare `objectId` with; 0 when there is none, no client
// or no answer.
unsigned QueryCompareId(unsigned objectId);

// Asks the client for the tool tip of `objectId` (with the comparison text when wanted). On an
// answer `out` receives the text in UTF-8 ("" when the reply lacks it) and true is returned;
// otherwise `out` is left as it was.
bool QueryObjectTooltip(CEGUI::String& out, unsigned objectId, bool wantCompareText);
} // namespace ZuGUI
