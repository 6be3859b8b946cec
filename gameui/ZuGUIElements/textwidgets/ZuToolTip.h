// CZuToolTip ("ZuGame/Tooltip"): the module's tool tip. It shows its text as rich text in a
// frameless view that fills it, sized to the laid-out text. When the window under the pointer
// carries "GameObjectCompareId" (an item icon bound to an item does), a second, framed view to
// its right shows the client's compare text for that object, as for an equipped item. The
// tip's timing runs at most once per UI frame of the client, it keeps both views on the
// display, and the client is told when it is destroyed.
#pragma once

#include <optional>

#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/host/ClientFrameGuard.h"
#include "ZuGUIElements/richtext/bidi/BidiText.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"

#include <CEGUI/widgets/Tooltip.h>

namespace ZuGUI
{
class CGameMultiLine;

class CZuToolTip : public SharedPropertyLayer<CZuToolTip, CEGUI::Tooltip>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;
    // The views' names are the tip's name path with these suffixes: the tip's children
    // "__auto_multiline__" and "__auto_multiline2__".
    static const CEGUI::String s_multilinePrefix;
    static const CEGUI::String s_2ndMultilinePrefix;

    using SharedPropertyLayer::SharedPropertyLayer;

    void initialiseComponents() override;
    // The tip's text is markup that its view draws: CEGUI's parser makes nothing of it.
    CEGUI::RenderedStringParser& getRenderedStringParser() const override;
    // (0, 0) for an empty text, else the size of the laid-out text.
    CEGUI::Sizef getTextSize_impl() const override;
    // The tip's area, and the compare view's while it shows, in screen pixels.
    CEGUI::Rectf getTotalArea() const;

    // How both views break their lines; a change lays the text out again.
    void setLineBreak(TextParser::LineBreakMode mode);
    TextParser::LineBreakMode getLineBreak() const { return d_lineBreak; }
    // Passed on to the views.
    void setTextDirection(Bidi::Direction direction);
    Bidi::Direction getTextDirection() const { return d_textDirection; }

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
    // The tip takes the layout size, with the text view filling it, so that the text can be
    // laid out before the tip is fitted to it.
    void TakeLayoutSize();
    // Shows the client's compare text for the target's compare object, or hides the view.
    void ShowCompareText();
    // The target's "GameObjectCompareId", 0 for none.
    unsigned TargetCompareId();
    // Shows the compare text again when the target or its compare id is not the one shown.
    void FollowCompareObject();
    // Sizes the compare view, laid out at the layout size, to its text and its look's frame.
    void FitCompareViewToText();
    // Sizes the tip to its text and moves it, with its compare view, onto the display.
    void FitToText();
    // Below right of the pointer, or on its other side where the tip or its compare view
    // would leave the display; where the client placed it, for the target it placed it for.
    void PositionByTotalArea();
    // Puts the tip back where the client placed it for the current target; false (and the
    // placement forgotten) when it placed it for another target or not at all.
    bool KeepClientPlacement();

    CGameMultiLine* d_textView = nullptr;
    ClientFrameGuard d_frameGuard;
    CGameMultiLine* d_compareView = nullptr;
    // Where the client placed the tip itself, and for which target (only compared).
    struct ClientPlacement
    {
        const CEGUI::Window* target;
        CEGUI::UVector2 position;
    };
    std::optional<ClientPlacement> d_clientPlacement;
    // The target and compare id that the compare view was last filled for; only compared.
    const CEGUI::Window* d_comparedTarget = nullptr;
    unsigned d_comparedId = 0;
    bool d_positioning = false;
    TextParser::LineBreakMode d_lineBreak = TextParser::LineBreakMode::Character;
    Bidi::Direction d_textDirection = Bidi::Direction::Auto;
};

using CZuToolTipFactory = ZuWindowFactory<CZuToolTip>;
} // namespace ZuGUI
