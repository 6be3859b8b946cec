#include "public/KeyValues.h"
#include "public/KeyValuesSystem.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

namespace
{

// Every test must give back all the nodes it took.
class KeyValuesTest : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(KeyValuesNodesInUse(), m_nodesBefore); }

    std::size_t m_nodesBefore = KeyValuesNodesInUse();
};

TEST_F(KeyValuesTest, PathsCreateNestedNodesInOrder)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    tree->SetInt("a/b", 5);
    tree->SetInt("c", 1);
    tree->SetInt("C", 2); // names are case-sensitive

    KeyValues* a = tree->FindKey("a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetDataType(), KeyValues::TYPE_NONE);
    EXPECT_EQ(tree->GetInt("a", 7), 0); // the raw value of a parent, not the default
    EXPECT_EQ(a->GetInt("b"), 5);
    EXPECT_EQ(tree->GetInt("a/b"), 5);
    EXPECT_STREQ(a->GetNextKey()->GetName(), "c");
    EXPECT_STREQ(a->GetNextKey()->GetNextKey()->GetName(), "C");
    EXPECT_EQ(tree->GetInt("C"), 2);
    EXPECT_EQ(tree->FindKey("a/")->GetNameSymbol(), a->GetNameSymbol());
}

TEST_F(KeyValuesTest, EmptyPathAndNullKeyActOnTheNodeItself)
{
    KeyValuesPtr node = MakeKeyValues("Leaf");
    EXPECT_EQ(node->FindKey(""), node.get());
    EXPECT_EQ(node->FindKey(nullptr, true), node.get());
    node->SetInt(nullptr, 9);
    EXPECT_EQ(node->GetInt(nullptr, -1), 9);
    node->SetString("", "x");
    EXPECT_STREQ(node->GetString(), "x");
    EXPECT_EQ(node->GetFirstSubKey(), nullptr);
}

TEST_F(KeyValuesTest, GettersNeverCreateKeys)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    tree->SetInt("a", 1);
    const std::size_t nodes = KeyValuesNodesInUse();
    EXPECT_EQ(tree->FindKey("x/y"), nullptr);
    EXPECT_EQ(tree->GetInt("x/y", 7), 7);
    EXPECT_STREQ(tree->GetString("a/b", "def"), "def");
    EXPECT_EQ(tree->GetFloat("missing", 2.5f), 2.5f);
    EXPECT_EQ(tree->GetPtr("missing"), nullptr);
    EXPECT_EQ(tree->GetDataType("missing"), KeyValues::TYPE_NONE);
    EXPECT_EQ(KeyValuesNodesInUse(), nodes);
}

TEST_F(KeyValuesTest, GetStringConvertsNumbersInPlace)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    tree->SetInt("i", 42);
    EXPECT_STREQ(tree->GetString("i"), "42");
    EXPECT_EQ(tree->GetDataType("i"), KeyValues::TYPE_STRING);
    EXPECT_EQ(tree->GetInt("i"), 42);

    tree->SetInt("neg", INT_MIN);
    EXPECT_STREQ(tree->GetString("neg"), "-2147483648");
    tree->SetFloat("f", 0.5f);
    EXPECT_STREQ(tree->GetString("f"), "0.500000");
    EXPECT_EQ(tree->GetDataType("f"), KeyValues::TYPE_STRING);

    // Pointers are 64-bit: the text is the whole address, GetInt its low 32 bits.
    void* pointer = reinterpret_cast<void*>(std::uintptr_t{0x1234567890ABCDEF});
    tree->SetPtr("p", pointer);
    EXPECT_EQ(tree->GetPtr("p"), pointer);
    EXPECT_EQ(tree->GetInt("p"), static_cast<int>(0x90ABCDEFu - 0x100000000LL));
    EXPECT_STREQ(tree->GetString("p"), "1311768467294899695");

    EXPECT_STREQ(tree->GetString(nullptr, "parent"), "parent"); // TYPE_NONE
}

TEST_F(KeyValuesTest, GetIntAndGetFloatReadOtherTypes)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    const struct
    {
        const char* text;
        int value;
    } strings[] = {
        {"  -17abc", -17},        {"+8", 8}, {"abc", 0}, {"0x1F", 0}, {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN}};
    for (const auto& entry : strings)
    {
        tree->SetString("s", entry.text);
        EXPECT_EQ(tree->GetInt("s"), entry.value) << entry.text;
    }
    tree->SetString("s", "-12.50");
    EXPECT_FLOAT_EQ(tree->GetFloat("s"), -12.5f);

    const struct
    {
        float input;
        int value;
    } floats[] = {{-3.9f, -3}, {3.9f, 3}, {1e20f, INT_MAX}, {-1e20f, INT_MIN}, {NAN, 0}};
    for (const auto& entry : floats)
    {
        tree->SetFloat("f", entry.input);
        EXPECT_EQ(tree->GetInt("f"), entry.value) << entry.input;
    }

    tree->SetWString("w", u" 123x");
    EXPECT_EQ(tree->GetInt("w"), 123);
    EXPECT_FLOAT_EQ(tree->GetFloat("w"), 0.0f); // ParseFloat stops at the space
    tree->SetInt("i", -4);
    EXPECT_FLOAT_EQ(tree->GetFloat("i"), -4.0f);
    EXPECT_EQ(tree->GetWString("i", u"d"), std::u16string(u"d"));
}

TEST_F(KeyValuesTest, WideStringsBecomeUtf8OnlyWhenTheyFit)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    tree->SetWString("w", u"h\u00e9llo \U0001F600");
    EXPECT_EQ(std::u16string(tree->GetWString("w")), u"h\u00e9llo \U0001F600");
    EXPECT_STREQ(tree->GetString("w"), "h\xC3\xA9llo \xF0\x9F\x98\x80");
    EXPECT_EQ(tree->GetDataType("w"), KeyValues::TYPE_STRING);

    tree->SetWString("lone", u"a\xD800");
    EXPECT_STREQ(tree->GetString("lone"), "a\xEF\xBF\xBD");

    // 255 two-byte characters fill 510 bytes: they fit; 256 need 512 and do not.
    tree->SetWString("fits", std::u16string(255, u'\u00e9').c_str());
    EXPECT_EQ(std::string(tree->GetString("fits", "def")).size(), 510u);
    tree->SetWString("long", std::u16string(256, u'\u00e9').c_str());
    EXPECT_STREQ(tree->GetString("long", "def"), "def");
    EXPECT_EQ(tree->GetDataType("long"), KeyValues::TYPE_WSTRING);
}

TEST_F(KeyValuesTest, SetStringCopiesItsValue)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    std::string text = "first";
    tree->SetString("s", text.c_str());
    text[0] = 'X';
    EXPECT_STREQ(tree->GetString("s"), "first");
    tree->SetString("s", tree->GetString("s")); // the node's own string
    EXPECT_STREQ(tree->GetString("s"), "first");
    tree->SetString("s", nullptr);
    EXPECT_STREQ(tree->GetString("s", "def"), "");
    tree->SetInt("s", 3); // replaces the string value
    EXPECT_EQ(tree->GetInt("s"), 3);
}

TEST_F(KeyValuesTest, SegmentsLongerThan255BytesAreNeitherFoundNorCreated)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    const std::string longest(255, 'k');
    tree->SetInt(longest.c_str(), 1);
    EXPECT_EQ(tree->GetInt(longest.c_str(), -1), 1);

    const std::string tooLong(256, 'k');
    tree->SetInt(tooLong.c_str(), 2);
    tree->SetString(("a/" + tooLong + "/b").c_str(), "x");
    EXPECT_EQ(tree->FindKey(tooLong.c_str(), true), nullptr);
    EXPECT_EQ(tree->GetInt(tooLong.c_str(), -1), -1);
    EXPECT_EQ(tree->FindKey("a")->GetFirstSubKey(), nullptr);
}

TEST_F(KeyValuesTest, DeepPathsAreBuiltCopiedDescribedAndDestroyedWithoutRecursion)
{
    constexpr int kDepth = 100000;
    std::string path;
    for (int i = 0; i < kDepth; ++i)
        path += i ? "/n" : "n";
    KeyValuesPtr tree = MakeKeyValues("Root");
    tree->SetInt(path.c_str(), 1);
    EXPECT_EQ(tree->GetInt(path.c_str()), 1);

    KeyValuesPtr copy(tree->MakeCopy());
    EXPECT_EQ(copy->GetInt(path.c_str()), 1);
    const std::string description = copy->Describe();
    EXPECT_EQ(description.compare(0, 9, "Root{n{n{"), 0);
    // "Root{", "n{" for each parent, "n=1" and one closing brace per level.
    EXPECT_EQ(description.size(), 5u + 2 * (kDepth - 1) + 3 + kDepth);
}

TEST_F(KeyValuesTest, DestroyReleasesEveryNodeAndString)
{
    // Long sibling lists with children and strings of every kind; the fixture checks the nodes,
    // LeakSanitizer the strings.
    KeyValuesPtr tree = MakeKeyValues("Root");
    for (int i = 0; i < 1000; ++i)
        tree->SetString(("k" + std::to_string(i) + "/v").c_str(), "text");
    tree->SetWString("k1/w", u"wide");
    tree->SetString("old", "string kept under an int");
    tree->SetInt("old", 1);
    tree->SetString("parent", "value of a node that gets children");
    tree->SetInt("parent/child", 1);
    EXPECT_EQ(KeyValuesNodesInUse(), m_nodesBefore + 1 + 2000 + 1 + 1 + 2);
}

TEST_F(KeyValuesTest, MakeCopyIsDeepAndIndependent)
{
    KeyValuesPtr tree = MakeKeyValues("Root");
    tree->SetString("a/s", "text");
    tree->SetWString("a/w", u"wide");
    tree->SetFloat("f", 1.5f);
    tree->SetInt("next", 1);

    KeyValuesPtr copy(tree->MakeCopy());
    EXPECT_EQ(copy->Describe(), tree->Describe());
    tree->SetString("a/s", "changed");
    tree->SetInt("a/new", 2);
    EXPECT_STREQ(copy->GetString("a/s"), "text");
    EXPECT_EQ(copy->FindKey("a/new"), nullptr);

    // A copy of a child leaves its following siblings out.
    KeyValuesPtr child(tree->FindKey("a")->MakeCopy());
    EXPECT_EQ(child->GetNextKey(), nullptr);
    EXPECT_EQ(child->Describe(), "a{s=\"changed\" w=L\"wide\" new=2}");
}

TEST_F(KeyValuesTest, DescribeFormatsEveryType)
{
    KeyValuesPtr tree = MakeKeyValues("Name");
    tree->SetInt("IntKey", 42);
    tree->SetString("StrKey", "a \"b\" c:\\");
    tree->SetFloat("FloatKey", 0.5f);
    tree->SetPtr("PtrKey", reinterpret_cast<void*>(std::uintptr_t{0x1f}));
    tree->SetWString("WideKey", u"x\u00e9");
    tree->SetInt("Sub/A", 1);
    tree->FindKey("Empty", true);
    EXPECT_EQ(tree->Describe(), "Name{IntKey=42 StrKey=\"a \\\"b\\\" c:\\\\\" FloatKey=0.5f "
                                "PtrKey=ptr(0x1f) WideKey=L\"x\xC3\xA9\" Sub{A=1} Empty{}}");
    EXPECT_EQ(tree->GetDataType("IntKey"), KeyValues::TYPE_INT); // Describe converts nothing

    KeyValuesPtr value = MakeKeyValues("V");
    EXPECT_EQ(value->Describe(), "V{}");
    value->SetFloat(nullptr, 2.0f);
    EXPECT_EQ(value->Describe(), "V=2f");
    EXPECT_EQ(MakeKeyValues(nullptr)->Describe(), "{}");
}

TEST_F(KeyValuesTest, EqualNamesShareOneSymbol)
{
    IKeyValuesSystem* system = comfunc002();
    EXPECT_EQ(system->SymbolOf("ItemType"), system->SymbolOf(std::string("ItemType").c_str()));
    EXPECT_NE(system->SymbolOf("ItemType"), system->SymbolOf("itemtype"));
    EXPECT_STREQ(system->NameOf(system->SymbolOf("ItemType")), "ItemType");
    EXPECT_STREQ(system->NameOf(-1), "");
    EXPECT_STREQ(system->NameOf(INT_MAX), "");
    EXPECT_EQ(system->AllocNode(kMaxKeyValuesNodeSize + 1), nullptr);
    EXPECT_EQ(MakeKeyValues(nullptr)->GetNameSymbol(), -1);
}

} // namespace
