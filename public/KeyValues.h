// KeyValues: the named tree of typed values that carries every request, reply and command
// between the widgets and the game client. A node has a name and either one typed value or a
// list of child nodes. Nodes come from the key-values system's node allocator and string
// values from the platform allocator (public/KeyValuesSystem.h).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class KeyValues
{
public:
    enum DataType : unsigned char
    {
        TYPE_NONE = 0, // children or no value
        TYPE_STRING = 1,
        TYPE_INT = 2,
        TYPE_FLOAT = 3,
        TYPE_PTR = 4,
        TYPE_WSTRING = 5,
    };

    // Always allocate with new; release with Destroy().
    explicit KeyValues(const char* name);
    KeyValues(const KeyValues&) = delete;
    KeyValues& operator=(const KeyValues&) = delete;

    static void* operator new(std::size_t size);
    static void operator delete(void* node);

    // The node's name, "" while unnamed.
    const char* GetName() const;
    int GetNameSymbol() const { return m_nameSymbol; }

    // Finds the node at `path` ("a/b/c"); a null or empty path is this node. With `create`
    // the missing nodes are appended as children and their parents become TYPE_NONE (a value
    // they held stays stored); without it a missing node gives null. A segment of more than
    // 255 bytes is never found nor created: the lookup gives null.
    KeyValues* FindKey(const char* path, bool create = false);

    KeyValues* GetFirstSubKey() const { return m_firstChild; }
    KeyValues* GetNextKey() const { return m_nextSibling; }

    // The type of the node at `key` (this node for null or ""), TYPE_NONE when absent.
    DataType GetDataType(const char* key = nullptr);

    // Setters find or create `key`; a null or empty key sets this node's own value. A key that
    // cannot be created (a segment of more than 255 bytes) is ignored. A null string is "".
    void SetString(const char* key, const char* value);
    void SetWString(const char* key, const char16_t* value);
    void SetInt(const char* key, int value);
    void SetFloat(const char* key, float value);
    void SetPtr(const char* key, void* value);

    // Getters never create keys; a missing key yields the default.
    // GetString: a string as is; an int ("%d"), a pointer (its address in unsigned decimal),
    //   a float ("%f") or a wide string (UTF-8; the default when it needs more than 511 bytes)
    //   is converted in place: the key stays a string key afterwards. TYPE_NONE: the default.
    // GetInt: a string's or wide string's leading decimal integer (0 if none, saturated to the
    //   int range), a float truncated toward zero (saturated, NaN gives 0), a pointer's low 32
    //   bits, and for an int or a TYPE_NONE node the stored 32-bit value.
    // GetFloat: a string or wide string read by ParseFloat, an int or a float; the default for
    //   a pointer or a TYPE_NONE node. GetWString and GetPtr convert nothing: the default
    //   unless the key holds that type.
    const char* GetString(const char* key = nullptr, const char* defaultValue = "");
    const char16_t* GetWString(const char* key = nullptr, const char16_t* defaultValue = u"");
    int GetInt(const char* key = nullptr, int defaultValue = 0);
    float GetFloat(const char* key = nullptr, float defaultValue = 0.0f);
    void* GetPtr(const char* key = nullptr, void* defaultValue = nullptr);

    // A deep copy of this node and its children (not of its following siblings).
    KeyValues* MakeCopy() const;

    // A one-line description for logs and tests, which never changes a value's type:
    //   Name{IntKey=42 StrKey="a \"b\"" FloatKey=0.5f PtrKey=ptr(0x1f) WideKey=L"x" Sub{A=1}
    //   Empty{}}
    // A root that holds a value instead of children is described as Name=value.
    std::string Describe() const;

    // Destroys the node, its children and its following siblings, then frees the node.
    void Destroy();

private:
    ~KeyValues();
    void ReleaseValue();
    KeyValues* FindChild(const char* name, std::size_t nameLength, bool create);
    void AssignString(const char* value);
    void AssignWString(const char16_t* value);
    void AssignScalar(DataType type);
    KeyValues* CopyNode() const;
    void DescribeValue(std::string& out) const;

    int m_nameSymbol;
    char* m_stringValue;
    char16_t* m_wideValue;
    union
    {
        int m_int;
        float m_float;
        void* m_ptr;
    };
    DataType m_dataType;
    KeyValues* m_nextSibling;
    KeyValues* m_firstChild;
};

// Owns a tree and destroys it with KeyValues::Destroy().
struct KeyValuesDeleter
{
    void operator()(KeyValues* tree) const
    {
        if (tree)
            tree->Destroy();
    }
};
using KeyValuesPtr = std::unique_ptr<KeyValues, KeyValuesDeleter>;

inline KeyValuesPtr MakeKeyValues(const char* name)
{
    return KeyValuesPtr(new KeyValues(name));
}
