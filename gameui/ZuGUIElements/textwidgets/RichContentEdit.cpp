#include "ZuGUIElements/textwidgets/RichContentEdit.h"

#include <algorithm>

namespace ZuGUI
{
const CEGUI::String CRichContentEdit::WidgetTypeName("ZuGame/RichContentEdit");
const CEGUI::String CRichContentEdit::EventNamespace("RichContentEdit");

void CRichContentEdit::RemoveTag(CRichContentTag* tag)
{
    const auto found = std::find(d_tags.begin(), d_tags.end(), tag);
    if (found != d_tags.end())
        d_tags.erase(found);
}

CRichContentTag* CRichContentEdit::FindTagAtSize(unsigned pos) const
{
    const auto found = std::find_if(d_tags.begin(), d_tags.end(),
                                    [pos](const CRichContentTag* tag)
                                    { return tag->GetStart() < pos && pos < tag->GetEnd(); });
    return found != d_tags.end() ? *found : nullptr;
}
} // namespace ZuGUI

namespace CEGUI
{
const String CRichContentEditRenderer::TypeName("ZuGame/RichContentEditRenderer");
} // namespace CEGUI
