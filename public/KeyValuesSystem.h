// The platform library's services behind KeyValues: the key-values system (node memory and
// name symbols) and the general allocator used for string values.
#pragma once

#include <cstddef>

class IKeyValuesSystem
{
public:
    virtual void* AllocNode(std::size_t size) = 0;
    virtual void FreeNode(void* node) = 0;
    // The symbol of `name`: equal names (compared with letter case) give equal symbols.
    virtual int SymbolOf(const char* name) = 0;
    // The name behind a symbol, "" for an unknown one.
    virtual const char* NameOf(int symbol) = 0;

protected:
    ~IKeyValuesSystem() = default;
};

class IMemAlloc
{
public:
    virtual void* Alloc(std::size_t size) = 0;
    virtual void Free(void* memory) = 0;

protected:
    ~IMemAlloc() = default;
};

// The process's key-values system (the platform library exports it under this name). Its node
// allocator hands out blocks of at most kMaxKeyValuesNodeSize bytes (null for larger ones);
// the symbol of a null name is -1. Not thread-safe: the module uses it on the GUI thread only.
IKeyValuesSystem* comfunc002();

constexpr std::size_t kMaxKeyValuesNodeSize = 64;

// The number of nodes allocated and not yet freed (for leak checks in tests and diagnostics).
std::size_t KeyValuesNodesInUse();

// The process's general allocator.
extern IMemAlloc* g_pMemAlloc;
