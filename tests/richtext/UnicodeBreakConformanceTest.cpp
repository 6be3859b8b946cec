// The break stage against Unicode's own test files (Debian's unicode-data), each line also run
// through a plain ICU iterator made here: the stage must be wrong on no more lines than ICU. And
// the stage against plain ICU on random mixes of the characters that join into clusters.
#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"

#include <gtest/gtest.h>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using ZuGUI::Breaks::CodePoint;

// One line of a test file: its code points and, for each position 0..length, whether a break is
// allowed before it (at `length`: after the text).
struct BreakCase
{
    std::string line;
    std::vector<CodePoint> text;
    std::vector<bool> breakBefore;
};

// The test line without its comment, as code points and break marks; false for a line with no
// test (a comment, an empty line).
bool ParseBreakCase(const std::string& line, BreakCase& parsed)
{
    std::istringstream tokens(line.substr(0, line.find('#')));
    parsed = BreakCase{line, {}, {}};
    for (std::string token; tokens >> token;)
    {
        if (token == "\xC3\xB7" || token == "\xC3\x97") // ÷ and ×
            parsed.breakBefore.push_back(token == "\xC3\xB7");
        else
            parsed.text.push_back(static_cast<CodePoint>(std::stoul(token, nullptr, 16)));
    }
    return !parsed.text.empty() && parsed.breakBefore.size() == parsed.text.size() + 1;
}

std::vector<BreakCase> ReadBreakCases(const std::string& path)
{
    std::vector<BreakCase> cases;
    std::ifstream file(path);
    BreakCase parsed;
    for (std::string line; std::getline(file, line);)
    {
        if (ParseBreakCase(line, parsed))
            cases.push_back(parsed);
    }
    return cases;
}

using FindFlags = void (*)(const CodePoint*, std::size_t, std::vector<std::uint8_t>&);
using CreateIterator = icu::BreakIterator* (*)(const icu::Locale&, UErrorCode&);

// Whether the stage puts `flag` on each position 0..length (never at `length`).
std::vector<bool> StageBreaks(const std::vector<CodePoint>& text, FindFlags find,
                              ZuGUI::Breaks::BreakFlag flag)
{
    std::vector<std::uint8_t> flags;
    find(text.data(), text.size(), flags);
    std::vector<bool> breaks(text.size() + 1, false);
    for (std::size_t i = 0; i < flags.size(); ++i)
        breaks[i] = (flags[i] & flag) != 0;
    return breaks;
}

// Whether a fresh ICU iterator puts a boundary at each position 0..length.
std::vector<bool> IcuBreaks(const std::vector<CodePoint>& text, CreateIterator create)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(create(icu::Locale::getRoot(), status));
    std::vector<bool> breaks(text.size() + 1, false);
    if (U_FAILURE(status))
    {
        ADD_FAILURE() << u_errorName(status);
        return breaks;
    }
    icu::UnicodeString utf16;
    for (CodePoint c : text)
        utf16.append(static_cast<UChar32>(c));
    iterator->setText(utf16);
    for (std::int32_t b = iterator->first(); b != icu::BreakIterator::DONE; b = iterator->next())
        breaks[utf16.countChar32(0, b)] = true;
    return breaks;
}

// Whether `found` differs from the file's marks at any position [first, length).
bool IsWrong(const BreakCase& test, const std::vector<bool>& found, std::size_t first)
{
    for (std::size_t i = first; i < test.text.size(); ++i)
    {
        if (found[i] != test.breakBefore[i])
            return true;
    }
    return false;
}

// Lines of a test file: how many, and the first few to show.
struct LineList
{
    std::size_t count = 0;
    std::string firstLines;

    void Add(const BreakCase& test)
    {
        if (++count <= 5)
            firstLines += "\n  " + test.line;
    }
};

TEST(UnicodeBreakConformanceTest, TheStageIsWrongOnNoMoreLinesThanIcu)
{
    const struct
    {
        const char* file;
        FindFlags find;
        ZuGUI::Breaks::BreakFlag flag;
        std::size_t firstCompared; // lines never break before the first code point
        CreateIterator create;
        std::size_t minLines;
    } files[] = {
        {"LineBreakTest.txt", &ZuGUI::Breaks::FindLineBreaks, ZuGUI::Breaks::kLineBreakBefore, 1,
         &icu::BreakIterator::createLineInstance, 5000},
        {"GraphemeBreakTest.txt", &ZuGUI::Breaks::FindClusterStarts, ZuGUI::Breaks::kClusterStart,
         0, &icu::BreakIterator::createCharacterInstance, 500},
    };
    for (const auto& check : files)
    {
        const std::string path = std::string(ZU_UNICODE_DATA_DIR) + "/" + check.file;
        const std::vector<BreakCase> cases = ReadBreakCases(path);
        ASSERT_GE(cases.size(), check.minLines) << path << " is missing or short";
        LineList stageWrong, icuWrong, onlyStageWrong;
        for (const BreakCase& test : cases)
        {
            const bool stageIsWrong =
                IsWrong(test, StageBreaks(test.text, check.find, check.flag), check.firstCompared);
            const bool icuIsWrong =
                IsWrong(test, IcuBreaks(test.text, check.create), check.firstCompared);
            if (stageIsWrong)
                stageWrong.Add(test);
            if (icuIsWrong)
                icuWrong.Add(test);
            if (stageIsWrong && !icuIsWrong)
                onlyStageWrong.Add(test);
        }
        std::cout << check.file << ": the stage is wrong on " << stageWrong.count << " of "
                  << cases.size() << " lines, ICU on " << icuWrong.count << "\n";
        EXPECT_LE(stageWrong.count, icuWrong.count)
            << check.file << ", the stage's first wrong lines:" << stageWrong.firstLines;
        // The stage is ICU: a line that only the stage gets wrong is a fault of its own.
        EXPECT_EQ(0u, onlyStageWrong.count)
            << check.file << ", lines right in ICU:" << onlyStageWrong.firstLines;
    }
}

// Random texts of characters that join or break clusters and lines in every way, and of values
// that are not characters, with runs of Latin between them: the stage finds what ICU finds over
// the whole text.
TEST(UnicodeBreakConformanceTest, TheStageAgreesWithIcuOnRandomText)
{
    const std::vector<CodePoint> latin = {'a', 'b', ' ', '\r', '\n', '.', '(', 0x00A9};
    const std::vector<CodePoint> joining = {
        0x0301, 0x200D, 0x1F1EB, 0x1F1F7, 0x1100,  0x1161,  0x11A8, 0xAC00, 0x0600, 0x0903,
        0x0915, 0x094D, 0x0416,  0x4E1C,  0x1F469, 0x1F3FB, 0xFE0F, 0xD800, 0xDC00, 0x110000,
    };
    std::mt19937 random(20240611);
    std::bernoulli_distribution isLatin(0.7);
    std::uniform_int_distribution<std::size_t> length(0, 60);
    const auto pick = [&random](const std::vector<CodePoint>& pool)
    { return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)]; };
    for (int round = 0; round < 3000; ++round)
    {
        std::vector<CodePoint> text(length(random));
        for (CodePoint& c : text)
            c = pick(isLatin(random) ? latin : joining);
        std::vector<CodePoint> replaced = text;
        for (CodePoint& c : replaced)
            c = (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF ? 0xFFFD : c;
        std::ostringstream shown;
        for (CodePoint c : text)
            shown << std::hex << c << " ";
        // Positions 0..length-1; the stage has no line break before the first.
        std::vector<bool> icuClusters =
            IcuBreaks(replaced, &icu::BreakIterator::createCharacterInstance);
        std::vector<bool> icuLines = IcuBreaks(replaced, &icu::BreakIterator::createLineInstance);
        icuLines.front() = false;
        std::vector<bool> stageClusters =
            StageBreaks(text, &ZuGUI::Breaks::FindClusterStarts, ZuGUI::Breaks::kClusterStart);
        std::vector<bool> stageLines =
            StageBreaks(text, &ZuGUI::Breaks::FindLineBreaks, ZuGUI::Breaks::kLineBreakBefore);
        for (std::vector<bool>* breaks : {&icuClusters, &icuLines, &stageClusters, &stageLines})
            breaks->pop_back();
        EXPECT_EQ(icuClusters, stageClusters) << "clusters of " << shown.str();
        EXPECT_EQ(icuLines, stageLines) << "lines of " << shown.str();
    }
}
} // namespace
