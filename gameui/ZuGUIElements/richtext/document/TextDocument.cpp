#include "ZuGUIElements/richtext/document/TextDocument.h"

#include "ZuGUIElements/richtext/IDoc.h"

namespace ZuGUI
{
namespace RichText
{
namespace
{
// The look of a document given none: nothing laid out.
std::shared_ptr<const TextLook> LookOrEmpty(std::shared_ptr<const TextLook> look)
{
    return look ? std::move(look) : std::make_shared<const TextLook>();
}
} // namespace

bool TextLook::operator==(const TextLook& other) const
{
    return font == other.font && commandFont == other.commandFont &&
           defaultTextColour == other.defaultTextColour &&
           firstLineIndent == other.firstLineIndent && restLinesIndent == other.restLinesIndent &&
           lineBreak == other.lineBreak && direction == other.direction &&
           hoverBrush == other.hoverBrush;
}

CTextDocument::CTextDocument(CEGUI::String markup, std::shared_ptr<const TextLook> look,
                             IRichTextClient& client, IDocumentHost* host)
    : m_ownMarkup(std::move(markup)), m_markup(m_ownMarkup), m_look(LookOrEmpty(std::move(look))),
      m_client(client), m_host(host),
      m_doc(TextParser::MakeDoc(TextParser::CSimpleParserManager::Instance()))
{
    Reparse();
}

CTextDocument::CTextDocument(ShownText text, std::shared_ptr<const TextLook> look,
                             IRichTextClient& client, IDocumentHost* host)
    : m_markup(text.markup), m_look(LookOrEmpty(std::move(look))), m_client(client), m_host(host),
      m_doc(TextParser::MakeDoc(TextParser::CSimpleParserManager::Instance()))
{
    Reparse();
}

void CTextDocument::Reparse()
{
    TextParser::ParseDocument(TextParser::CSimpleParserManager::Instance(), *m_doc, *this);
    m_layoutStale = true;
}

CTextDocument::~CTextDocument() = default;

void CTextDocument::SetLook(std::shared_ptr<const TextLook> look)
{
    if (!look || look == m_look)
        return;
    m_look = std::move(look);
    m_layoutStale = true;
}

void CTextDocument::LayOut(float width)
{
    if (!IsLaidOutAt(width))
        LayOutAgain(width);
}

void CTextDocument::LayOutAgain(float width)
{
    TextParser::LayOutDocument(*m_doc, *this, width);
    m_laidOutWidth = width;
    m_layoutStale = false;
}

void CTextDocument::ReleaseLayout()
{
    m_doc->ReleaseLayout();
    m_layoutStale = true;
}

void CTextDocument::Paint(CEGUI::GeometryBuffer& geometry, const CEGUI::Rectf& visible,
                          const CEGUI::Rectf& area)
{
    m_geometry = &geometry;
    m_doc->Render(*this, visible, area);
    m_geometry = nullptr;
}

void CTextDocument::OnMouseMove(const CEGUI::Vector2f& point, CEGUI::MouseButton button)
{
    m_doc->OnMouseMove(*this, point, button, false);
}

bool CTextDocument::OnMouseButton(const CEGUI::Vector2f& point, CEGUI::MouseButton button,
                                  bool pressed)
{
    return m_doc->OnMouseButton(*this, point, button, pressed);
}

CEGUI::String CTextDocument::GetText() const
{
    return m_doc->GetText(*this);
}

const CEGUI::String* CTextDocument::GetDisplayForms() const
{
    return m_doc->GetDisplayForms();
}

CEGUI::String CTextDocument::GetViewName() const
{
    return m_host ? m_host->GetViewName() : CEGUI::String();
}

void CTextDocument::RequestViewRedraw()
{
    if (m_host)
        m_host->RequestViewRedraw();
}

void CTextDocument::ShowLinkTarget(const ITextBlock& link, const CEGUI::String* target)
{
    if (m_host)
        m_host->ShowLinkTarget(link, target);
}

bool CTextDocument::ContainsMouse() const
{
    return !m_host || m_host->ContainsMouse();
}

IRichTextPictureSink* CTextDocument::GetPictureSink()
{
    return m_host ? m_host->GetPictureSink() : nullptr;
}
} // namespace RichText
} // namespace ZuGUI
