#include "ZuGUIElements/richtext/bidi/ShownForms.h"

#include "ZuGUIElements/richtext/paragraph/Paragraph.h"
#include "public/MarkupText.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <memory>
#include <variant>

namespace ZuGUI
{
namespace Bidi
{
namespace
{
constexpr CodePoint kLineFeed = '\n';
constexpr CodePoint kFirstStrongIsolate = 0x2068;
constexpr CodePoint kPopIsolate = 0x2069;
// A boundary neutral: what a control that must do nothing is read as.
constexpr CodePoint kZeroWidthSpace = 0x200B;
// The deepest nesting of the text's own controls that is honoured: well below the algorithm's
// limit (125 levels), so that the isolate of a clickable run always opens.
constexpr std::size_t kMaxHonouredDepth = 60;

// Marks of a shown character.
constexpr std::uint8_t kStartsRun = 1;
constexpr std::uint8_t kClickable = 2;

// Whether the code point may be a direction control or a paragraph separator: none is
// printable ASCII or lies from U+00A0 to U+1FFF.
bool MayBeControl(CodePoint codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0) || codePoint >= 0x2000;
}

// The code point's bidirectional class, as far as controls and separators go: other neutral
// for every code point that cannot be one.
UCharDirection ControlClassOf(CodePoint codePoint)
{
    return !MayBeControl(codePoint) || codePoint > 0x10FFFF
               ? U_OTHER_NEUTRAL
               : u_charDirection(static_cast<UChar32>(codePoint));
}

bool IsDirectionControl(UCharDirection direction)
{
    switch (direction)
    {
    case U_LEFT_TO_RIGHT_EMBEDDING:
    case U_RIGHT_TO_LEFT_EMBEDDING:
    case U_LEFT_TO_RIGHT_OVERRIDE:
    case U_RIGHT_TO_LEFT_OVERRIDE:
    case U_POP_DIRECTIONAL_FORMAT:
    case U_LEFT_TO_RIGHT_ISOLATE:
    case U_RIGHT_TO_LEFT_ISOLATE:
    case U_FIRST_STRONG_ISOLATE:
    case U_POP_DIRECTIONAL_ISOLATE:
        return true;
    default:
        return false;
    }
}

bool IsMark(CodePoint codePoint)
{
    if (codePoint > 0x10FFFF)
        return false;
    const std::int8_t type = u_charType(static_cast<UChar32>(codePoint));
    return type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK ||
           type == U_COMBINING_SPACING_MARK;
}

// Whether the shown text needs the algorithm, read in place: pictures never do.
bool AnyRunNeedsAnalysis(const CEGUI::String& text, const Text::Paragraph& paragraph)
{
    return std::any_of(paragraph.Pieces().begin(), paragraph.Pieces().end(),
                       [&text](const Text::Piece& piece)
                       {
                           const auto* run = std::get_if<Text::TextRun>(&piece);
                           if (!run)
                               return false;
                           const TextIndex end = std::min<TextIndex>(run->end, text.length());
                           const TextIndex first = std::min<TextIndex>(run->first, end);
                           return NeedsAnalysis(text.ptr() + first, end - first);
                       });
}

// The start mark and the clickable mark of each shown character.
void FindRunMarks(const Text::Paragraph& paragraph, std::vector<std::uint8_t>& marks)
{
    marks.clear();
    marks.reserve(paragraph.ShownLength());
    for (const Text::Piece& piece : paragraph.Pieces())
    {
        if (const auto* run = std::get_if<Text::TextRun>(&piece))
        {
            const TextIndex length = TextIndex(run->end) - TextIndex(run->first);
            if (length == 0)
                continue;
            const bool clickable = paragraph.StyleOf(*run).kind != Text::RunKind::Plain;
            const std::uint8_t mark = clickable ? kClickable : 0;
            marks.push_back(mark | kStartsRun);
            marks.resize(marks.size() + (length - 1), mark);
        }
        else if (std::holds_alternative<Text::Picture>(piece))
        {
            marks.push_back(kStartsRun);
        }
    }
}

// The text that the algorithm reads for a paragraph: each clickable run inside a first-strong
// isolate with its own direction controls made boundary neutrals, and the controls of the text
// around them honoured only to kMaxHonouredDepth. It follows the algorithm's stack of
// embeddings and isolates (rules X2 to X6a) to know how deep each control is.
class AnalysedText
{
public:
    void Build(const CodePoint* shown, const std::uint8_t* marks, std::size_t length)
    {
        m_text.clear();
        m_indexOf.clear();
        m_open.clear();
        bool inIsolate = false;
        for (std::size_t i = 0; i < length; ++i)
        {
            const bool clickable = (marks[i] & kClickable) != 0;
            if (inIsolate && (!clickable || (marks[i] & kStartsRun)))
                inIsolate = CloseIsolate();
            if (clickable && !inIsolate)
                inIsolate = OpenIsolate();
            m_indexOf.push_back(m_text.size());
            m_text.push_back(inIsolate ? Neutral(shown[i]) : Honoured(shown[i]));
        }
        if (inIsolate)
            CloseIsolate();
    }

    const std::vector<CodePoint>& Text() const { return m_text; }
    // Where shown character `i` of the paragraph is in the text.
    std::size_t IndexOf(std::size_t i) const { return m_indexOf[i]; }
    // Whether shown character `i` is read as what it is.
    bool IsAsShown(std::size_t i, CodePoint shown) const { return m_text[m_indexOf[i]] == shown; }

private:
    enum class Opened : std::uint8_t
    {
        Embedding,
        Isolate
    };

    bool OpenIsolate()
    {
        m_text.push_back(kFirstStrongIsolate);
        m_open.push_back(Opened::Isolate);
        return true;
    }

    bool CloseIsolate()
    {
        m_text.push_back(kPopIsolate);
        PopIsolate();
        return false;
    }

    void PopIsolate()
    {
        const auto isolate = std::find(m_open.rbegin(), m_open.rend(), Opened::Isolate);
        if (isolate != m_open.rend())
            m_open.erase(std::next(isolate).base(), m_open.end());
    }

    static CodePoint Neutral(CodePoint codePoint)
    {
        const UCharDirection direction = ControlClassOf(codePoint);
        return IsDirectionControl(direction) || direction == U_BLOCK_SEPARATOR ? kZeroWidthSpace
                                                                               : codePoint;
    }

    CodePoint Honoured(CodePoint codePoint)
    {
        switch (ControlClassOf(codePoint))
        {
        case U_LEFT_TO_RIGHT_EMBEDDING:
        case U_RIGHT_TO_LEFT_EMBEDDING:
        case U_LEFT_TO_RIGHT_OVERRIDE:
        case U_RIGHT_TO_LEFT_OVERRIDE:
            return Open(codePoint, Opened::Embedding);
        case U_LEFT_TO_RIGHT_ISOLATE:
        case U_RIGHT_TO_LEFT_ISOLATE:
        case U_FIRST_STRONG_ISOLATE:
            return Open(codePoint, Opened::Isolate);
        case U_POP_DIRECTIONAL_FORMAT:
            if (!m_open.empty() && m_open.back() == Opened::Embedding)
                m_open.pop_back();
            return codePoint;
        case U_POP_DIRECTIONAL_ISOLATE:
            PopIsolate();
            return codePoint;
        case U_BLOCK_SEPARATOR:
            m_open.clear(); // a new paragraph starts with nothing open
            return codePoint;
        default:
            return codePoint;
        }
    }

    CodePoint Open(CodePoint codePoint, Opened opened)
    {
        if (m_open.size() >= kMaxHonouredDepth)
            return kZeroWidthSpace;
        m_open.push_back(opened);
        return codePoint;
    }

    std::vector<CodePoint> m_text;
    std::vector<std::size_t> m_indexOf;
    std::vector<Opened> m_open;
};

// Finds the levels and forms of a shown text paragraph by paragraph, in buffers that each
// thread keeps for the next text.
class FormsFinder
{
public:
    // The levels into `levels` and the forms into Forms(), one per shown character of
    // `paragraph`; false when `text` is not the text that it was parsed from.
    bool Find(const CEGUI::String& text, const Text::Paragraph& paragraph, Direction direction,
              std::vector<LevelByte>& levels)
    {
        m_shown.clear();
        paragraph.AppendShownText(text, m_shown);
        FindRunMarks(paragraph, m_marks);
        if (m_marks.size() != m_shown.size())
            return false;
        levels.resize(m_shown.size());
        m_forms.resize(m_shown.size());
        for (std::size_t first = 0; first < m_shown.size();)
        {
            const auto lineFeed = std::find(m_shown.begin() + first, m_shown.end(), kLineFeed);
            const std::size_t end = lineFeed == m_shown.end()
                                        ? m_shown.size()
                                        : std::size_t(lineFeed - m_shown.begin()) + 1;
            FindParagraph(first, end, direction, levels);
            first = end;
        }
        return true;
    }

    const std::vector<CodePoint>& Forms() const { return m_forms; }

    // Whether the buffers grew far beyond a chat message: they are not kept then.
    bool IsLarge() const { return m_shown.capacity() > 64 * 1024; }

private:
    void FindParagraph(std::size_t first, std::size_t end, Direction direction,
                       std::vector<LevelByte>& levels)
    {
        const CodePoint* text = m_shown.data() + first;
        const std::size_t length = end - first;
        if (direction != Direction::RightToLeft && !NeedsAnalysis(text, length))
        {
            // A left-to-right paragraph in a text that holds right-to-left ones: as written.
            // A lone terminator of an embedding or an isolate, which does nothing, is not drawn.
            std::fill(levels.begin() + first, levels.begin() + end, 0);
            std::transform(text, text + length, m_forms.begin() + first,
                           [](CodePoint c) {
                               return IsDirectionControl(ControlClassOf(c)) ? kShownByPrevious : c;
                           });
            return;
        }
        m_analysed.Build(text, m_marks.data() + first, length);
        if (direction == Direction::Auto)
            direction = FirstStrongDirection(text, length);
        m_paragraph.Analyse(m_analysed.Text().data(), m_analysed.Text().size(), direction);
        const LevelByte paragraphBit = m_paragraph.BaseLevel() ? kRightToLeftParagraph : 0;
        JoinArabicLetters(text, length, m_joined);
        for (std::size_t i = 0; i < length; ++i)
        {
            const Level level = m_paragraph.LevelAt(m_analysed.IndexOf(i));
            levels[first + i] = (level & kLevelMask) | paragraphBit;
            const bool drawn = m_analysed.IsAsShown(i, text[i]) && !IsRemovedFromDisplay(text[i]) &&
                               !IsDirectionControl(ControlClassOf(text[i]));
            m_forms[first + i] = drawn && m_joined[i] != kShownByPrevious
                                     ? Shown(m_joined[i], level)
                                     : kShownByPrevious;
        }
    }

    std::vector<CodePoint> m_shown;
    std::vector<std::uint8_t> m_marks;
    std::vector<CodePoint> m_forms;
    std::vector<CodePoint> m_joined;
    AnalysedText m_analysed;
    Paragraph m_paragraph;
};

// Writes the forms of the shown characters into the markup's copy `forms` at the characters
// that show them.
void PlaceForms(const Text::Paragraph& paragraph, const std::vector<CodePoint>& shownForms,
                CEGUI::String& forms)
{
    std::size_t shown = 0;
    for (const Text::Piece& piece : paragraph.Pieces())
    {
        if (const auto* run = std::get_if<Text::TextRun>(&piece))
        {
            for (TextIndex i = run->first; i < TextIndex(run->end); ++i, ++shown)
            {
                if (i < forms.length())
                    forms[i] = shownForms[shown];
            }
        }
        else if (std::holds_alternative<Text::Picture>(piece))
        {
            ++shown;
        }
    }
}
} // namespace

void ShownForms::Find(const CEGUI::String& text, const Text::Paragraph& paragraph,
                      Direction direction)
{
    Clear();
    m_direction = direction;
    if (direction != Direction::RightToLeft && !AnyRunNeedsAnalysis(text, paragraph))
        return;
    thread_local std::unique_ptr<FormsFinder> finder;
    if (!finder)
        finder = std::make_unique<FormsFinder>();
    if (finder->Find(text, paragraph, direction, m_levels))
    {
        m_forms = text;
        PlaceForms(paragraph, finder->Forms(), m_forms);
    }
    else
    {
        Clear();
    }
    if (finder->IsLarge())
        finder.reset();
}

void ShownForms::Clear()
{
    // Cheap when there is nothing to free: a text that shows as written finds nothing.
    if (!m_levels.empty() || m_levels.capacity() != 0)
        std::vector<LevelByte>().swap(m_levels);
    if (!m_forms.empty())
        CEGUI::String().swap(m_forms);
    m_direction = Direction::Auto;
}

CEGUI::String DisplayedRange(const CEGUI::String& forms, TextIndex start, TextIndex count,
                             Level level)
{
    const TextIndex end = std::min(forms.length(), start + std::min(count, forms.length()));
    std::vector<CEGUI::utf32> shown;
    shown.reserve(end > start ? end - start : 0);
    const auto show = [&](TextIndex first, TextIndex last)
    {
        for (TextIndex i = first; i < last; ++i)
        {
            if (forms[i] != kShownByPrevious)
                shown.push_back(forms[i]);
        }
    };
    if ((level & 1) == 0)
    {
        show(start, end);
    }
    else
    {
        // Clusters from the last to the first, each a base and the marks after it.
        for (TextIndex clusterEnd = end; clusterEnd > start;)
        {
            TextIndex clusterStart = clusterEnd - 1;
            while (clusterStart > start && IsMark(forms[clusterStart]))
                --clusterStart;
            show(clusterStart, clusterEnd);
            clusterEnd = clusterStart;
        }
    }
    return MarkupText::MakeText<CEGUI::String>(shown);
}
} // namespace Bidi
} // namespace ZuGUI
