// Costs of the key-value tree and the code-page helpers on the GUI thread's typical work: one
// request/reply exchange of a game window, and one tool-tip sized text in each direction.
#include "public/CodePage.h"
#include "public/KeyValues.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

void BM_RequestReplyTrees(benchmark::State& state)
{
    for (auto _ : state)
    {
        KeyValuesPtr request = MakeKeyValues("GamePackageManagerProxy");
        request->SetString("ItemType", "Item");
        request->SetString("PackageName", "Bag");
        request->SetInt("PackageId", 1);
        request->SetInt("PackageIndex", 3);
        KeyValuesPtr reply = MakeKeyValues("");
        reply->SetInt("CellId", 1234);
        reply->SetString("Tooltip", "<font color=\"gold\">Sword of Dawn</font> Level 12");

        benchmark::DoNotOptimize(request->GetString("ItemType"));
        benchmark::DoNotOptimize(request->GetInt("PackageIndex"));
        benchmark::DoNotOptimize(reply->GetInt("CellId", -1));
        benchmark::DoNotOptimize(reply->GetString("Tooltip"));
    }
}
BENCHMARK(BM_RequestReplyTrees);

std::string Repeat(const std::string& text, int count)
{
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

// 100 characters each.
const std::string kLatinText = Repeat("Caf\xC3\xA9 \xC3\xA0 5\xE2\x82\xAC ", 10);
const std::string kChineseText =
    Repeat("\xE7\x89\xA9\xE5\x93\x81 123 \xE5\x90\x8D\xE7\xA7\xB0 ", 10);

void BM_Utf8ToAnsi(benchmark::State& state, const char* codeset, const std::string* utf8)
{
    SetSystemCodePage(codeset);
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8ToAnsi(utf8->c_str(), nullptr));
    SetSystemCodePage(nullptr);
}
BENCHMARK_CAPTURE(BM_Utf8ToAnsi, CP1252, "CP1252", &kLatinText);
BENCHMARK_CAPTURE(BM_Utf8ToAnsi, GBK, "GBK", &kChineseText);

void BM_AnsiToUtf8(benchmark::State& state, const char* codeset, const std::string* utf8)
{
    SetSystemCodePage(codeset);
    const std::string ansi = Utf8ToAnsi(utf8->c_str(), nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(AnsiToUtf8(ansi.c_str(), nullptr));
    SetSystemCodePage(nullptr);
}
BENCHMARK_CAPTURE(BM_AnsiToUtf8, CP1252, "CP1252", &kLatinText);
BENCHMARK_CAPTURE(BM_AnsiToUtf8, GBK, "GBK", &kChineseText);

} // namespace
