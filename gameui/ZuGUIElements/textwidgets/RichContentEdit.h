// CRichContentEdit ("ZuGame/RichContentEdit"): a game edit box that also keeps a list of
// content tags, ranges of its text that stand for embedded content, as building blocks for
// derived boxes. Its editing is exactly the game edit box's. CRichContentEditRenderer
// ("ZuGame/RichContentEditRenderer") draws it as the Falagard edit box does.
#pragma once

#include "ZuGUIElements/base/ModuleRenderer.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"

#include <CEGUI/WindowRendererSets/Core/Editbox.h>

#include <vector>

namespace ZuGUI
{
// A range of an edit box's text that stands for embedded content; the characters strictly
// between start and end belong to it.
class CRichContentTag
{
public:
    CRichContentTag(unsigned start, unsigned end) : d_start(start), d_end(end) {}
    virtual ~CRichContentTag() = default;

    unsigned GetStart() const { return d_start; }
    unsigned GetEnd() const { return d_end; }

private:
    unsigned d_start;
    unsigned d_end;
};

class CRichContentEdit : public CGameEditBox
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using CGameEditBox::CGameEditBox;

protected:
    // The box does not own its tags.
    void PushTag(CRichContentTag* tag) { d_tags.push_back(tag); }
    // Removes the first entry of `tag`; nothing when it is not listed.
    void RemoveTag(CRichContentTag* tag);
    // The first tag with start < pos < end, or null.
    CRichContentTag* FindTagAtSize(unsigned pos) const;

private:
    std::vector<CRichContentTag*> d_tags;
};

using CRichContentEditFactory = ZuWindowFactory<CRichContentEdit>;
} // namespace ZuGUI

namespace CEGUI
{
class CRichContentEditRenderer : public ZuGUI::ModuleRenderer<FalagardEditbox>
{
public:
    static const String TypeName;

    using ModuleRenderer::ModuleRenderer;

protected:
    void RenderImagery() override { FalagardEditbox::render(); }
};

using CRichContentEditRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CRichContentEditRenderer>;
} // namespace CEGUI
