// A minimal game window and renderer for tests of the game window base: the window counts its
// updates and lets a test decide what an update does; the renderer counts its renders and
// asks for the textures a test gives it.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"

#include <functional>
#include <vector>

namespace ZuTest
{
class TestGameWindow : public ZuGUI::ZuWindow
{
public:
    static const CEGUI::String WidgetTypeName;

    TestGameWindow(const CEGUI::String& type, const CEGUI::String& name) : ZuWindow(type, name) {}

    int updates = 0;
    std::function<void(TestGameWindow&)> onUpdate;

protected:
    void UpdateImp() override
    {
        ++updates;
        if (onUpdate)
            onUpdate(*this);
    }
};

class TestGameRenderer : public ZuGUI::ZuRenderer
{
public:
    static const CEGUI::String TypeName;

    explicit TestGameRenderer(const CEGUI::String& type) : ZuRenderer(type) {}

    int renders = 0;
    // The window's sparkle state as the last render found it.
    int sparkleAtLastRender = 0;
    int textureParamRequests = 0;
    std::vector<ZuGUI::tagTexture_Param> textures;

protected:
    void RenderImagery() override
    {
        ++renders;
        if (const ZuGUI::ZuWindow* window = GameWindow())
            sparkleAtLastRender = window->getSparkingState();
        RenderProxyLayer();
    }
    void RequestTextureParams() override { ++textureParamRequests; }
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params) override
    {
        params.insert(params.end(), textures.begin(), textures.end());
    }
};

// Registers the test window and renderer types with CEGUI once.
void RegisterTestGameTypes();
} // namespace ZuTest
