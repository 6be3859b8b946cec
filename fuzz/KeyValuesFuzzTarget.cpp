// Fuzz target of the key-value tree: the input is a script of operations on one tree, each a
// byte (operation) followed by a key (length byte and bytes, '/' separating path segments)
// and, for setters, a value. Every typed setter must be read back by its getter at once,
// every getter may run on any node, and a copy must describe itself as the original does.
//
// Operations (byte % 8): 0 SetString, 1 SetInt, 2 SetFloat, 3 SetWString, 4 SetPtr, 5 every
// getter, 6 FindKey with create, 7 copy and compare. String values: length byte and bytes;
// numbers: four bytes.
#include "support/FuzzInput.h"

#include "public/KeyValues.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
using Script = ZuFuzz::FuzzReader;

// A text of up to 255 bytes, its length first; a C string ends at its first zero byte.
std::string Text(Script& script)
{
    const std::string text = script.Bytes(script.Byte());
    return text.substr(0, std::strlen(text.c_str()));
}

void Check(bool condition, const char* what, const std::string& key)
{
    if (condition)
        return;
    std::fprintf(stderr, "key values: %s (key \"%s\")\n", what, key.c_str());
    std::abort();
}

std::u16string Wide(const std::string& text)
{
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(text[i]) << 8 |
                                             static_cast<unsigned char>(text[i + 1])));
    return wide.substr(0, std::char_traits<char16_t>::length(wide.c_str()));
}

// Whether a setter of `key` could make it: every segment is at most 255 bytes.
bool Settable(KeyValues& root, const std::string& key)
{
    return root.FindKey(key.c_str()) != nullptr;
}

void RunGetters(KeyValues& root, const std::string& key)
{
    const char* key_ = key.c_str();
    root.GetDataType(key_);
    Check(root.GetString(key_, "d") != nullptr, "GetString gave null", key);
    root.GetInt(key_, 7);
    root.GetFloat(key_, 0.5f);
    Check(root.GetWString(key_, u"d") != nullptr, "GetWString gave null", key);
    root.GetPtr(key_);
}

void RunOperation(KeyValues& root, Script& script)
{
    const int operation = script.Byte() % 8;
    const std::string key = Text(script);
    const char* key_ = key.c_str();
    switch (operation)
    {
    case 0:
    {
        const std::string value = Text(script);
        root.SetString(key_, value.c_str());
        if (Settable(root, key))
            Check(value == root.GetString(key_), "string not read back", key);
        break;
    }
    case 1:
    {
        const int value = static_cast<int>(script.BigEndian32());
        root.SetInt(key_, value);
        if (Settable(root, key))
            Check(root.GetDataType(key_) == KeyValues::TYPE_INT && root.GetInt(key_) == value,
                  "int not read back", key);
        break;
    }
    case 2:
    {
        const float value = ZuFuzz::FloatOfBits(script.BigEndian32());
        root.SetFloat(key_, value);
        if (Settable(root, key))
        {
            const float back = root.GetFloat(key_);
            Check(std::memcmp(&back, &value, sizeof value) == 0 ||
                      (std::isnan(back) && std::isnan(value)),
                  "float not read back", key);
        }
        break;
    }
    case 3:
    {
        const std::u16string value = Wide(Text(script));
        root.SetWString(key_, value.c_str());
        if (Settable(root, key))
            Check(value == root.GetWString(key_), "wide string not read back", key);
        break;
    }
    case 4:
    {
        void* value = reinterpret_cast<void*>(static_cast<std::uintptr_t>(script.BigEndian32()));
        root.SetPtr(key_, value);
        if (Settable(root, key))
            Check(root.GetPtr(key_) == value, "pointer not read back", key);
        break;
    }
    case 5:
        RunGetters(root, key);
        break;
    case 6:
        root.FindKey(key_, true);
        break;
    default:
    {
        const KeyValuesPtr copy(root.MakeCopy());
        Check(copy->Describe() == root.Describe(), "copy describes itself differently", key);
        break;
    }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const KeyValuesPtr root = MakeKeyValues("Root");
    ZuFuzz::FuzzInput input(data, size);
    Script script = input.Front();
    while (!script.AtEnd())
        RunOperation(*root, script);
    root->Describe();
    return 0;
}
