#include "public/KeyValues.h"

#include "public/CodePage.h"
#include "public/KeyValuesSystem.h"
#include "public/StringTools.h"

#include <cinttypes>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

static_assert(sizeof(KeyValues) <= kMaxKeyValuesNodeSize, "nodes come from fixed-size blocks");

namespace
{

// A path segment is looked up through a buffer of this size, terminator included.
constexpr std::size_t kSegmentBufferSize = 256;
// Numbers are formatted into this much before being stored as a string.
constexpr int kNumberTextSize = 64;
// A wide value is converted to UTF-8 through this much before being stored as a string.
constexpr std::size_t kWideConversionSize = 512;

template <typename Char>
Char* DuplicateString(const Char* value, std::size_t length)
{
    const std::size_t bytes = (length + 1) * sizeof(Char);
    auto* copy = static_cast<Char*>(g_pMemAlloc->Alloc(bytes));
    if (!copy)
        throw std::bad_alloc();
    std::memcpy(copy, value, bytes);
    return copy;
}

std::size_t WideLength(const char16_t* value)
{
    std::size_t length = 0;
    while (value[length])
        ++length;
    return length;
}

template <typename Char>
bool IsSpace(Char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The leading decimal integer of a text (spaces and a sign allowed, 0 if none), saturated to
// the int range.
template <typename Char>
int LeadingDecimal(const Char* s)
{
    if (!s)
        return 0;
    while (IsSpace(*s))
        ++s;
    const bool negative = *s == '-';
    if (*s == '-' || *s == '+')
        ++s;
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long value = 0;
    for (; *s >= '0' && *s <= '9'; ++s)
    {
        value = value * 10 + (*s - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int TruncateToInt(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}

void AppendQuoted(std::string& out, const char* text)
{
    out += '"';
    for (; *text; ++text)
    {
        if (*text == '"' || *text == '\\')
            out += '\\';
        out += *text;
    }
    out += '"';
}

template <typename... Args>
void AppendFormatted(std::string& out, const char* format, Args... args)
{
    char text[kNumberTextSize];
    SafeFormat(text, sizeof text, format, args...);
    out += text;
}

} // namespace

void* KeyValues::operator new(std::size_t size)
{
    void* node = comfunc002()->AllocNode(size);
    if (!node)
        throw std::bad_alloc();
    return node;
}

void KeyValues::operator delete(void* node)
{
    comfunc002()->FreeNode(node);
}

KeyValues::KeyValues(const char* name)
    : m_nameSymbol(-1), m_stringValue(nullptr), m_wideValue(nullptr), m_ptr(nullptr),
      m_dataType(TYPE_NONE), m_nextSibling(nullptr), m_firstChild(nullptr)
{
    if (name)
        m_nameSymbol = comfunc002()->SymbolOf(name);
}

KeyValues::~KeyValues()
{
    ReleaseValue();
}

void KeyValues::ReleaseValue()
{
    g_pMemAlloc->Free(m_stringValue);
    g_pMemAlloc->Free(m_wideValue);
    m_stringValue = nullptr;
    m_wideValue = nullptr;
    m_ptr = nullptr;
    m_dataType = TYPE_NONE;
}

const char* KeyValues::GetName() const
{
    return comfunc002()->NameOf(m_nameSymbol);
}

KeyValues* KeyValues::FindKey(const char* path, bool create)
{
    // Walks one segment at a time, so a path of any depth takes no stack, and reads each
    // character once.
    KeyValues* node = this;
    while (path && *path)
    {
        const char* end = path;
        while (*end && *end != '/')
            ++end;
        node = node->FindChild(path, static_cast<std::size_t>(end - path), create);
        if (!node || !*end)
            return node;
        path = end + 1;
    }
    return node;
}

KeyValues* KeyValues::FindChild(const char* name, std::size_t nameLength, bool create)
{
    if (nameLength >= kSegmentBufferSize)
        return nullptr;
    char segment[kSegmentBufferSize];
    std::memcpy(segment, name, nameLength);
    segment[nameLength] = '\0';
    const int symbol = comfunc002()->SymbolOf(segment);
    if (symbol < 0)
        return nullptr;

    KeyValues* last = nullptr;
    for (KeyValues* child = m_firstChild; child; child = child->m_nextSibling)
    {
        if (child->m_nameSymbol == symbol)
            return child;
        last = child;
    }
    if (!create)
        return nullptr;

    auto* child = new KeyValues(nullptr);
    child->m_nameSymbol = symbol;
    (last ? last->m_nextSibling : m_firstChild) = child;
    m_dataType = TYPE_NONE;
    return child;
}

KeyValues::DataType KeyValues::GetDataType(const char* key)
{
    const KeyValues* node = FindKey(key, false);
    return node ? node->m_dataType : TYPE_NONE;
}

void KeyValues::AssignString(const char* value)
{
    if (!value)
        value = "";
    // Copied before the old value goes: `value` may be the node's own string.
    char* copy = DuplicateString(value, std::strlen(value));
    g_pMemAlloc->Free(m_stringValue);
    g_pMemAlloc->Free(m_wideValue);
    m_stringValue = copy;
    m_wideValue = nullptr;
    m_dataType = TYPE_STRING;
}

void KeyValues::AssignWString(const char16_t* value)
{
    if (!value)
        value = u"";
    char16_t* copy = DuplicateString(value, WideLength(value));
    g_pMemAlloc->Free(m_stringValue);
    g_pMemAlloc->Free(m_wideValue);
    m_stringValue = nullptr;
    m_wideValue = copy;
    m_dataType = TYPE_WSTRING;
}

void KeyValues::AssignScalar(DataType type)
{
    // A string held before stays owned by the node until it is replaced or destroyed.
    m_ptr = nullptr;
    m_dataType = type;
}

void KeyValues::SetString(const char* key, const char* value)
{
    if (KeyValues* node = FindKey(key, true))
        node->AssignString(value);
}

void KeyValues::SetWString(const char* key, const char16_t* value)
{
    if (KeyValues* node = FindKey(key, true))
        node->AssignWString(value);
}

void KeyValues::SetInt(const char* key, int value)
{
    if (KeyValues* node = FindKey(key, true))
    {
        node->AssignScalar(TYPE_INT);
        node->m_int = value;
    }
}

void KeyValues::SetFloat(const char* key, float value)
{
    if (KeyValues* node = FindKey(key, true))
    {
        node->AssignScalar(TYPE_FLOAT);
        node->m_float = value;
    }
}

void KeyValues::SetPtr(const char* key, void* value)
{
    if (KeyValues* node = FindKey(key, true))
    {
        node->AssignScalar(TYPE_PTR);
        node->m_ptr = value;
    }
}

const char* KeyValues::GetString(const char* key, const char* defaultValue)
{
    KeyValues* node = FindKey(key, false);
    if (!node)
        return defaultValue;
    char number[kNumberTextSize];
    switch (node->m_dataType)
    {
    case TYPE_STRING:
        return node->m_stringValue;
    case TYPE_INT:
        SafeFormat(number, sizeof number, "%d", node->m_int);
        break;
    case TYPE_PTR:
        SafeFormat(number, sizeof number, "%" PRIuPTR,
                   reinterpret_cast<std::uintptr_t>(node->m_ptr));
        break;
    case TYPE_FLOAT:
        SafeFormat(number, sizeof number, "%f", static_cast<double>(node->m_float));
        break;
    case TYPE_WSTRING:
    {
        char utf8[kWideConversionSize];
        if (!codepage_detail::Utf16ToUtf8(node->m_wideValue, utf8, sizeof utf8))
            return defaultValue;
        node->AssignString(utf8);
        return node->m_stringValue;
    }
    default:
        return defaultValue;
    }
    node->AssignString(number);
    return node->m_stringValue;
}

const char16_t* KeyValues::GetWString(const char* key, const char16_t* defaultValue)
{
    const KeyValues* node = FindKey(key, false);
    return node && node->m_dataType == TYPE_WSTRING ? node->m_wideValue : defaultValue;
}

int KeyValues::GetInt(const char* key, int defaultValue)
{
    const KeyValues* node = FindKey(key, false);
    if (!node)
        return defaultValue;
    switch (node->m_dataType)
    {
    case TYPE_STRING:
        return LeadingDecimal(node->m_stringValue);
    case TYPE_FLOAT:
        return TruncateToInt(node->m_float);
    case TYPE_WSTRING:
        return LeadingDecimal(node->m_wideValue);
    case TYPE_PTR:
        return static_cast<std::int32_t>(
            static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(node->m_ptr)));
    default:
        return node->m_int;
    }
}

float KeyValues::GetFloat(const char* key, float defaultValue)
{
    const KeyValues* node = FindKey(key, false);
    if (!node)
        return defaultValue;
    switch (node->m_dataType)
    {
    case TYPE_STRING:
        return ParseFloat(node->m_stringValue);
    case TYPE_INT:
        return static_cast<float>(node->m_int);
    case TYPE_FLOAT:
        return node->m_float;
    case TYPE_WSTRING:
    {
        char utf8[kWideConversionSize];
        if (!codepage_detail::Utf16ToUtf8(node->m_wideValue, utf8, sizeof utf8))
            return defaultValue;
        return ParseFloat(utf8);
    }
    default:
        return defaultValue;
    }
}

void* KeyValues::GetPtr(const char* key, void* defaultValue)
{
    const KeyValues* node = FindKey(key, false);
    return node && node->m_dataType == TYPE_PTR ? node->m_ptr : defaultValue;
}

KeyValues* KeyValues::CopyNode() const
{
    KeyValuesPtr copy(new KeyValues(nullptr));
    copy->m_nameSymbol = m_nameSymbol;
    if (m_stringValue)
        copy->m_stringValue = DuplicateString(m_stringValue, std::strlen(m_stringValue));
    if (m_wideValue)
        copy->m_wideValue = DuplicateString(m_wideValue, WideLength(m_wideValue));
    copy->m_ptr = m_ptr; // the whole union
    copy->m_dataType = m_dataType;
    return copy.release();
}

KeyValues* KeyValues::MakeCopy() const
{
    // Breadth of each level in a loop, depth through an explicit list: no recursion.
    KeyValuesPtr root(CopyNode());
    std::vector<std::pair<const KeyValues*, KeyValues*>> pending{{this, root.get()}};
    while (!pending.empty())
    {
        const auto [source, copy] = pending.back();
        pending.pop_back();
        KeyValues* last = nullptr;
        for (const KeyValues* child = source->m_firstChild; child; child = child->m_nextSibling)
        {
            KeyValues* childCopy = child->CopyNode();
            (last ? last->m_nextSibling : copy->m_firstChild) = childCopy;
            last = childCopy;
            if (child->m_firstChild)
                pending.emplace_back(child, childCopy);
        }
    }
    return root.release();
}

void KeyValues::DescribeValue(std::string& out) const
{
    switch (m_dataType)
    {
    case TYPE_STRING:
        out += '=';
        AppendQuoted(out, m_stringValue);
        break;
    case TYPE_INT:
        out += '=';
        AppendFormatted(out, "%d", m_int);
        break;
    case TYPE_FLOAT:
        out += '=';
        AppendFormatted(out, "%gf", static_cast<double>(m_float));
        break;
    case TYPE_PTR:
        out += '=';
        AppendFormatted(out, "ptr(0x%" PRIxPTR ")", reinterpret_cast<std::uintptr_t>(m_ptr));
        break;
    case TYPE_WSTRING:
    {
        std::string utf8(codepage_detail::Utf8BufferSizeFor(m_wideValue), '\0');
        codepage_detail::Utf16ToUtf8(m_wideValue, utf8.data(), utf8.size());
        out += "=L";
        AppendQuoted(out, utf8.c_str());
        break;
    }
    default:
        out += "{}";
        break;
    }
}

std::string KeyValues::Describe() const
{
    std::string out = GetName();
    if (!m_firstChild)
    {
        DescribeValue(out);
        return out;
    }
    // One entry per open level: the next child to describe there (null closes the level).
    out += '{';
    std::vector<const KeyValues*> levels{m_firstChild};
    while (!levels.empty())
    {
        const KeyValues* node = levels.back();
        if (!node)
        {
            out += '}';
            levels.pop_back();
            continue;
        }
        levels.back() = node->m_nextSibling;
        if (out.back() != '{')
            out += ' ';
        out += node->GetName();
        if (node->m_firstChild)
        {
            out += '{';
            levels.push_back(node->m_firstChild);
        }
        else
        {
            node->DescribeValue(out);
        }
    }
    return out;
}

void KeyValues::Destroy()
{
    // The children of the node in hand are spliced in right after it, so the whole tree is
    // released as one flat list: no recursion and no extra memory, whatever its depth.
    KeyValues* node = this;
    while (node)
    {
        if (KeyValues* child = node->m_firstChild)
        {
            KeyValues* lastChild = child;
            while (lastChild->m_nextSibling)
                lastChild = lastChild->m_nextSibling;
            lastChild->m_nextSibling = node->m_nextSibling;
            node->m_nextSibling = child;
            node->m_firstChild = nullptr;
        }
        KeyValues* next = node->m_nextSibling;
        node->m_nextSibling = nullptr;
        delete node;
        // A sibling list that leads back to this node ends there.
        node = next == this ? nullptr : next;
    }
}
