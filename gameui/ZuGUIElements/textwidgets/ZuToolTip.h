// CZuToolTip ("ZuGame/Tooltip"): the module's tool tip. It shows its text as rich text in a
// frameless view that fills it, sized to the laid-out text. When the window under the pointer
// carries "GameObjectCompareId" (an item icon bound to an item does), a second, framed view to
// its right shows the client's compare text for that object, as for an equipped item. The
// tip's timing runs at most once per UI frame of the client, it keeps both views on the
// display, and the client is told when it is destroyed.
#pragma once

#include "ZuGUIElements/module/FactoryTemplates.h"

#include <CEGUI/widgets/Tooltip.h>

namespace ZuGUI
{
class CGameMultiLine;

class CZuToolTip : public CEGUI::Tooltip
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    // The views' names are the tip's name path with these suffixes: the tip's children
    // "__auto_multiline__" and "__auto_multiline2__".
    static const CEGUI::String s_multilinePrefix;
    static const CEGUI::String s_2ndMultilinePrefix;

    using Tooltip::Tooltip;

    void initialiseComponents() override;
    // (0, 0) for an empty text, else the size of the laid-out text.
    CEGUI::Sizef getTextSize_impl() const override;
    // The tip's area, and the compare view's while it shows, in screen pixels.
    CEGUI::Rectf getTotalArea() const;

    CGameMultiLine* GetTextView() const { return d_textView; }
    CGameMultiLine* GetCompareView() const { return d_compareView; }

protected:
    void onTextChanged(CEGUI::WindowEventArgs& e) override;
    void onDestructionStarted(CEGUI::WindowEventArgs& e) override;
    void onMoved(CEGUI::ElementEventArgs& e) override;
    // The tip's own timing, once per UI frame of the client (every frame without one).
    void updateSelf(float elapsed) override;

private:
    CGameMultiLine* MakeView(const CEGUI::String& name);
    // Shows the client's compare text for the target's compare object, or hides the view.
    void ShowCompareText();
    // Sizes the tip to its text and moves it, with its compare view, onto the display.
    void FitToText();
    // Below right of the pointer, or on its other side where the tip or its compare view
    // would leave the display.
    void PositionByTotalArea();

    CGameMultiLine* d_textView = nullptr;
    float d_lastUpdateTime = 0.0f;
    CGameMultiLine* d_compareView = nullptr;
    bool d_positioning = false;
};

using CZuToolTipFactory = ZuWindowFactory<CZuToolTip>;
} // namespace ZuGUI
