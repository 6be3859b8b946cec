// The bidirectional stage against Unicode's own test file (BidiCharacterTest.txt, Debian's
// unicode-data), each line also run through plain ICU here: the stage must be wrong on no more
// lines than ICU. Arabic and Persian words joined by the stage against their presentation forms
// worked out here from Unicode's joining types (ArabicShaping.txt) and the forms' decompositions
// (UnicodeData.txt).
#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <gtest/gtest.h>

#include <unicode/ubidi.h>

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using ZuGUI::Bidi::CodePoint;

const std::string kUnicodeDir = std::string(ZU_UNICODE_DATA_DIR) + "/..";

std::vector<std::string> Fields(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, separator);)
        fields.push_back(field);
    return fields;
}

std::vector<CodePoint> HexCodePoints(const std::string& text)
{
    std::vector<CodePoint> codePoints;
    std::istringstream tokens(text);
    for (std::string token; tokens >> token;)
        codePoints.push_back(static_cast<CodePoint>(std::stoul(token, nullptr, 16)));
    return codePoints;
}

// One line of BidiCharacterTest.txt: the text, the paragraph direction asked for, the resolved
// paragraph level, each code point's level (-1 for x: removed from display) and the display
// order of the code points that show.
struct BidiCase
{
    std::string line;
    std::vector<CodePoint> text;
    ZuGUI::Bidi::Direction direction;
    int paragraphLevel;
    std::vector<int> levels;
    std::vector<std::size_t> order;
};

std::vector<BidiCase> ReadBidiCases(const std::string& path)
{
    std::vector<BidiCase> cases;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
    {
        const std::vector<std::string> fields = Fields(line.substr(0, line.find('#')), ';');
        if (fields.size() != 5)
            continue;
        static const ZuGUI::Bidi::Direction kDirections[] = {ZuGUI::Bidi::Direction::LeftToRight,
                                                             ZuGUI::Bidi::Direction::RightToLeft,
                                                             ZuGUI::Bidi::Direction::Auto};
        BidiCase test{line,
                      HexCodePoints(fields[0]),
                      kDirections[std::stoi(fields[1]) % 3],
                      std::stoi(fields[2]),
                      {},
                      {}};
        std::istringstream levels(fields[3]);
        for (std::string level; levels >> level;)
            test.levels.push_back(level == "x" ? -1 : std::stoi(level));
        std::istringstream order(fields[4]);
        for (std::string index; order >> index;)
            test.order.push_back(std::stoul(index));
        cases.push_back(test);
    }
    return cases;
}

struct BidiResult
{
    int paragraphLevel = 0;
    std::vector<int> levels;
    std::vector<std::size_t> order;
};

bool IsWrong(const BidiCase& test, const BidiResult& result)
{
    if (result.paragraphLevel != test.paragraphLevel || result.order != test.order)
        return true;
    for (std::size_t i = 0; i < test.levels.size(); ++i)
    {
        if (test.levels[i] >= 0 &&
            (i >= result.levels.size() || result.levels[i] != test.levels[i]))
            return true;
    }
    return false;
}

BidiResult StageResult(const BidiCase& test)
{
    ZuGUI::Bidi::Paragraph paragraph;
    paragraph.Analyse(test.text.data(), test.text.size(), test.direction);
    BidiResult result;
    result.paragraphLevel = paragraph.BaseLevel();
    for (std::size_t i = 0; i < paragraph.Length(); ++i)
        result.levels.push_back(paragraph.LevelAt(i));
    paragraph.LineOrder(0, test.text.size(), result.order);
    return result;
}

// The test's texts are all in the BMP: UTF-16 units are code points.
BidiResult IcuResult(const BidiCase& test)
{
    std::u16string text;
    for (const CodePoint codePoint : test.text)
        text.push_back(static_cast<char16_t>(codePoint));
    BidiResult result;
    UErrorCode status = U_ZERO_ERROR;
    UBiDi* bidi = ubidi_open();
    const UBiDiLevel level = test.direction == ZuGUI::Bidi::Direction::Auto ? UBIDI_DEFAULT_LTR
                             : test.direction == ZuGUI::Bidi::Direction::RightToLeft ? 1
                                                                                     : 0;
    ubidi_setPara(bidi, reinterpret_cast<const UChar*>(text.data()),
                  static_cast<std::int32_t>(text.size()), level, nullptr, &status);
    const UBiDiLevel* levels = ubidi_getLevels(bidi, &status);
    std::vector<std::int32_t> map(text.size());
    ubidi_getVisualMap(bidi, map.data(), &status);
    if (U_SUCCESS(status))
    {
        result.paragraphLevel = ubidi_getParaLevel(bidi);
        result.levels.assign(levels, levels + text.size());
        for (const std::int32_t index : map)
        {
            if (test.levels[static_cast<std::size_t>(index)] >= 0)
                result.order.push_back(static_cast<std::size_t>(index));
        }
    }
    ubidi_close(bidi);
    return result;
}

TEST(BidiConformanceTest, TheStageIsWrongOnNoMoreLinesThanIcu)
{
    const std::vector<BidiCase> cases = ReadBidiCases(kUnicodeDir + "/BidiCharacterTest.txt");
    ASSERT_GE(cases.size(), 90000u) << "BidiCharacterTest.txt is missing or short";
    std::size_t stageWrong = 0;
    std::size_t icuWrong = 0;
    std::string onlyStageWrong;
    for (const BidiCase& test : cases)
    {
        const bool stageIsWrong = IsWrong(test, StageResult(test));
        const bool icuIsWrong = IsWrong(test, IcuResult(test));
        stageWrong += stageIsWrong ? 1 : 0;
        icuWrong += icuIsWrong ? 1 : 0;
        if (stageIsWrong && !icuIsWrong && onlyStageWrong.size() < 2000)
            onlyStageWrong += "\n  " + test.line;
    }
    std::cout << "BidiCharacterTest.txt: the stage is wrong on " << stageWrong << " of "
              << cases.size() << " lines, ICU on " << icuWrong << "\n";
    EXPECT_LE(stageWrong, icuWrong);
    EXPECT_EQ("", onlyStageWrong) << "lines right in ICU";
}

// The presentation forms of Unicode's Arabic letters, from UnicodeData.txt: the form of each
// letter by its decomposition tag, and the lam-alef ligatures by their two letters.
class PresentationForms
{
public:
    PresentationForms()
    {
        std::ifstream file(kUnicodeDir + "/UnicodeData.txt");
        for (std::string line; std::getline(file, line);)
        {
            const std::vector<std::string> fields = Fields(line, ';');
            if (fields.size() < 6)
                continue;
            if (fields[2] == "Mn")
                m_joining[static_cast<CodePoint>(std::stoul(fields[0], nullptr, 16))] = 'T';
            if (fields[5].empty() || fields[5][0] != '<')
                continue;
            const std::string tag = fields[5].substr(0, fields[5].find('>') + 1);
            const std::vector<CodePoint> base =
                HexCodePoints(fields[5].substr(fields[5].find('>') + 1));
            const CodePoint form = static_cast<CodePoint>(std::stoul(fields[0], nullptr, 16));
            if (form < 0xFB50 || form > 0xFEFF)
                continue;
            const std::uint64_t key = base.size() == 1 ? base[0] : (base[0] << 21 | base[1]);
            if (base.size() <= 2)
                m_forms[{tag, key}] = form;
        }
        std::ifstream shaping(kUnicodeDir + "/ArabicShaping.txt");
        for (std::string line; std::getline(shaping, line);)
        {
            const std::vector<std::string> fields = Fields(line.substr(0, line.find('#')), ';');
            if (fields.size() >= 3)
                m_joining.insert_or_assign(
                    static_cast<CodePoint>(std::stoul(fields[0], nullptr, 16)),
                    fields[2].find_first_not_of(' ') == std::string::npos
                        ? 'U'
                        : fields[2][fields[2].find_first_not_of(' ')]);
        }
    }

    bool IsLoaded() const { return m_forms.size() > 200 && m_joining.size() > 200; }

    // Joining type: R (joins the one before), D (both sides), C (join causing), T (transparent:
    // the marks, by their general category Mn, as the file says), U (none).
    char Joining(CodePoint letter) const
    {
        const auto found = m_joining.find(letter);
        return found != m_joining.end() ? found->second : 'U';
    }

    // The word as it shows: each letter in its form from the letters around it, a lam and an
    // alef as their ligature (the alef's place kShownByPrevious), marks as they are.
    std::vector<CodePoint> Joined(const std::vector<CodePoint>& word) const
    {
        std::vector<CodePoint> shown(word);
        const auto neighbour = [&](std::size_t i, int step) -> char
        {
            for (std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + step;
                 j >= 0 && j < static_cast<std::ptrdiff_t>(word.size()); j += step)
            {
                const char type = Joining(word[static_cast<std::size_t>(j)]);
                if (type != 'T')
                    return type;
            }
            return 'U';
        };
        for (std::size_t i = 0; i < word.size(); ++i)
        {
            const char type = Joining(word[i]);
            if (type != 'R' && type != 'D')
                continue;
            const char before = neighbour(i, -1);
            const char after = neighbour(i, +1);
            const bool joinsBefore = before == 'D' || before == 'C';
            const bool joinsAfter = type == 'D' && (after == 'R' || after == 'D' || after == 'C');
            const bool lamAlef = word[i] == 0x0644 && i + 1 < word.size() &&
                                 Form("<isolated>", word[i], word[i + 1]) != 0;
            if (lamAlef)
            {
                shown[i] = Form(joinsBefore ? "<final>" : "<isolated>", word[i], word[i + 1]);
                shown[++i] = ZuGUI::Bidi::kShownByPrevious;
                continue;
            }
            const char* tag = joinsBefore && joinsAfter ? "<medial>"
                              : joinsBefore             ? "<final>"
                              : joinsAfter              ? "<initial>"
                                                        : "<isolated>";
            if (const CodePoint form = Form(tag, word[i]))
                shown[i] = form;
        }
        return shown;
    }

private:
    CodePoint Form(const std::string& tag, CodePoint letter, CodePoint second = 0) const
    {
        const std::uint64_t key = second ? (std::uint64_t(letter) << 21 | second) : letter;
        const auto found = m_forms.find({tag, key});
        return found != m_forms.end() ? found->second : 0;
    }

    std::map<std::pair<std::string, std::uint64_t>, CodePoint> m_forms;
    std::map<CodePoint, char> m_joining;
};

TEST(BidiConformanceTest, ArabicAndPersianWordsJoinAsUnicodesFormsSay)
{
    const PresentationForms forms;
    ASSERT_TRUE(forms.IsLoaded()) << "UnicodeData.txt or ArabicShaping.txt is missing";
    const std::vector<std::vector<CodePoint>> words = {
        {0x0633, 0x0644, 0x0627, 0x0645},         // salam: a lam-alef inside a word
        {0x0644, 0x0627},                         // la: a lam-alef alone
        {0x0645, 0x0631, 0x062D, 0x0628, 0x0627}, // marhaba: a letter joining only before
        {0x0643, 0x062A, 0x0627, 0x0628},         // kitab
        {0x0628, 0x064E, 0x064A, 0x0652, 0x062A}, // bayt with vowel marks between letters
        {0x067E, 0x0627, 0x0631, 0x0633, 0x06CC}, // Persian: parsi, with pe and Farsi yeh
        {0x06AF, 0x0641, 0x062A, 0x06AF, 0x0648}, // Persian: goftegu, with gaf
        {0x0639},                                 // a lone letter
        {0x0647, 0x0640, 0x0647},                 // tatweel between letters
        {0x0041, 0x0628, 0x0020, 0x0628, 0x0031}, // Latin, a space and a digit around letters
    };
    for (const std::vector<CodePoint>& word : words)
    {
        std::vector<CodePoint> joined;
        ZuGUI::Bidi::JoinArabicLetters(word.data(), word.size(), joined);
        EXPECT_EQ(forms.Joined(word), joined) << "word starting U+" << std::hex << word[0];
    }
}
} // namespace
