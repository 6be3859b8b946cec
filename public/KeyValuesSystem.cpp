// The key-values system and the general allocator of the platform layer.
//
// Not thread-safe by design: the module builds, sends and destroys its trees on the GUI thread,
// so the node pool and the symbol table take no lock.
#include "public/KeyValuesSystem.h"

#include <climits>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace
{

#if defined(__SANITIZE_ADDRESS__)
// Under AddressSanitizer every node is an allocation of its own, so that a leaked tree and a
// touched destroyed node are reported like any other memory.
class NodePool
{
public:
    void* Allocate(std::size_t size)
    {
        if (size > kMaxKeyValuesNodeSize)
            return nullptr;
        void* node = std::malloc(size);
        if (node)
            ++m_inUse;
        return node;
    }

    void Free(void* memory)
    {
        if (!memory)
            return;
        std::free(memory);
        --m_inUse;
    }

    std::size_t InUse() const { return m_inUse; }

private:
    std::size_t m_inUse = 0;
};
#else
// Fixed-size blocks carved from chunks that are never returned to the system. Free blocks
// form a singly linked list through their first bytes.
class NodePool
{
public:
    void* Allocate(std::size_t size)
    {
        if (size > kBlockSize)
            return nullptr;
        if (!m_freeList && !AddChunk())
            return nullptr;
        FreeBlock* block = m_freeList;
        m_freeList = block->next;
        ++m_inUse;
        return block;
    }

    void Free(void* memory)
    {
        if (!memory)
            return;
        Push(static_cast<FreeBlock*>(memory));
        --m_inUse;
    }

    std::size_t InUse() const { return m_inUse; }

private:
    struct FreeBlock
    {
        FreeBlock* next;
    };
    static constexpr std::size_t kBlockSize = kMaxKeyValuesNodeSize;
    static constexpr std::size_t kBlocksPerChunk = 256;
    static_assert(kBlockSize % alignof(std::max_align_t) == 0, "blocks must stay aligned");

    void Push(FreeBlock* block)
    {
        block->next = m_freeList;
        m_freeList = block;
    }

    bool AddChunk()
    {
        auto* chunk = static_cast<unsigned char*>(std::malloc(kBlockSize * kBlocksPerChunk));
        if (!chunk)
            return false;
        m_chunks.push_back(chunk);
        // Pushed in reverse so that the chunk is handed out in address order.
        for (std::size_t i = kBlocksPerChunk; i-- > 0;)
            Push(reinterpret_cast<FreeBlock*>(chunk + i * kBlockSize));
        return true;
    }

    FreeBlock* m_freeList = nullptr;
    std::size_t m_inUse = 0;
    std::vector<unsigned char*> m_chunks; // kept reachable: the blocks are not leaks
};
#endif

// Names and their symbols, case-sensitive. A symbol is the index of its name, so NameOf is
// a lookup in a deque (whose elements never move, which keeps the map's views valid).
class SymbolTable
{
public:
    int SymbolOf(const char* name)
    {
        if (!name)
            return -1;
        const std::string_view key(name);
        const auto found = m_symbols.find(key);
        if (found != m_symbols.end())
            return found->second;
        if (m_names.size() >= static_cast<std::size_t>(INT_MAX))
            return -1;
        const int symbol = static_cast<int>(m_names.size());
        m_names.emplace_back(key);
        m_symbols.emplace(m_names.back(), symbol);
        return symbol;
    }

    const char* NameOf(int symbol) const
    {
        if (symbol < 0 || static_cast<std::size_t>(symbol) >= m_names.size())
            return "";
        return m_names[static_cast<std::size_t>(symbol)].c_str();
    }

private:
    std::deque<std::string> m_names;
    std::unordered_map<std::string_view, int> m_symbols;
};

class KeyValuesSystem final : public IKeyValuesSystem
{
public:
    void* AllocNode(std::size_t size) override { return m_nodes.Allocate(size); }
    void FreeNode(void* node) override { m_nodes.Free(node); }
    int SymbolOf(const char* name) override { return m_symbols.SymbolOf(name); }
    const char* NameOf(int symbol) override { return m_symbols.NameOf(symbol); }

    std::size_t NodesInUse() const { return m_nodes.InUse(); }

private:
    NodePool m_nodes;
    SymbolTable m_symbols;
};

KeyValuesSystem& System()
{
    // Never destroyed: trees released while other statics are torn down still find it.
    static KeyValuesSystem* system = new KeyValuesSystem;
    return *system;
}

class MallocAllocator final : public IMemAlloc
{
public:
    constexpr MallocAllocator() = default;
    void* Alloc(std::size_t size) override { return std::malloc(size); }
    void Free(void* memory) override { std::free(memory); }
};

// Constant-initialised: usable from any static initialiser.
MallocAllocator g_mallocAllocator;

} // namespace

IKeyValuesSystem* comfunc002()
{
    return &System();
}

std::size_t KeyValuesNodesInUse()
{
    return System().NodesInUse();
}

IMemAlloc* g_pMemAlloc = &g_mallocAllocator;
