#include "ZuGUIElements/richtext/bidi/ShownForms.h"

#include "ZuGUIElements/richtext/paragraph/Paragraph.h"
#include "public/MarkupText.h"

#include <unicode/uchar.h>

#include <algorithm>
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

UCharDirection ClassOf(CodePoint codePoint)
{
    return codePoint > 0x10FFFF ? U_OTHER_NEUTRAL
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
std::vector<std::uint8_t> RunMarks(const Text::Paragraph& paragraph)
{
    std::vector<std::uint8_t> marks;
    marks.reserve(paragraph.ShownLength());
    for (const Text::Piece& piece : paragraph.Pieces())
    {
        if (const auto* run = std::get_if<Text::TextRun>(&piece))
        {
            const TextIndex length = TextIndex(run->end) - TextIndex(run->first);
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
    return marks;
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
        const UCharDirection direction = ClassOf(codePoint);
        return IsDirectionControl(direction) || direction == U_BLOCK_SEPARATOR ? kZeroWidthSpace
                                                                               : codePoint;
    }

    CodePoint Honoured(CodePoint codePoint)
    {
        switch (ClassOf(codePoint))
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

// Finds levels and forms of the shown paragraph [first, end).
class ParagraphForms
{
public:
    ParagraphForms(const std::vector<CodePoint>& shown, const std::vector<std::uint8_t>& marks,
                   Direction direction)
        : m_shown(shown), m_marks(marks), m_direction(direction)
    {
    }

    void Find(std::size_t first, std::size_t end, std::vector<std::uint8_t>& levels,
              std::vector<CodePoint>& forms)
    {
        const CodePoint* text = m_shown.data() + first;
        const std::size_t length = end - first;
        m_analysed.Build(text, m_marks.data() + first, length);
        const Direction direction =
            m_direction == Direction::Auto ? FirstStrongDirection(text, length) : m_direction;
        m_paragraph.Analyse(m_analysed.Text().data(), m_analysed.Text().size(), direction);
        const std::uint8_t paragraphBit = m_paragraph.BaseLevel() ? kRightToLeftParagraph : 0;
        JoinArabicLetters(text, length, m_joined);
        for (std::size_t i = 0; i < length; ++i)
        {
            const Level level = m_paragraph.LevelAt(m_analysed.IndexOf(i));
            levels[first + i] = (level & kLevelMask) | paragraphBit;
            const bool drawn = m_analysed.IsAsShown(i, text[i]) && !IsRemovedFromDisplay(text[i]) &&
                               !IsDirectionControl(ClassOf(text[i]));
            forms[first + i] = drawn && m_joined[i] != kShownByPrevious ? Shown(m_joined[i], level)
                                                                        : kShownByPrevious;
        }
    }

private:
    const std::vector<CodePoint>& m_shown;
    const std::vector<std::uint8_t>& m_marks;
    const Direction m_direction;
    AnalysedText m_analysed;
    Paragraph m_paragraph;
    std::vector<CodePoint> m_joined;
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
    std::vector<CodePoint> shown;
    shown.reserve(paragraph.ShownLength());
    paragraph.AppendShownText(text, shown);
    const std::vector<std::uint8_t> marks = RunMarks(paragraph);
    if (marks.size() != shown.size())
        return; // not the text that was parsed
    m_levels.resize(shown.size());
    std::vector<CodePoint> shownForms(shown.size());
    ParagraphForms paragraphs(shown, marks, direction);
    for (std::size_t first = 0; first < shown.size();)
    {
        const auto lineFeed = std::find(shown.begin() + first, shown.end(), kLineFeed);
        const std::size_t end =
            lineFeed == shown.end() ? shown.size() : std::size_t(lineFeed - shown.begin()) + 1;
        paragraphs.Find(first, end, m_levels, shownForms);
        first = end;
    }
    m_forms = text;
    PlaceForms(paragraph, shownForms, m_forms);
}

void ShownForms::Clear()
{
    std::vector<std::uint8_t>().swap(m_levels);
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
