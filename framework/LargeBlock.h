// Memory taken from the system in one large piece and given back to it as
// soon as it is freed, for a structure of hundreds of megabytes whose life
// has a clear end (a build's map). The allocator would keep such memory
// for later, and give it back only through a walk of its whole heap.
//
// Where the system allows, the block is asked for in huge pages: filling
// hundreds of megabytes then takes a few hundred page faults instead of
// a hundred thousand.
#pragma once

#include <cstddef>

class LargeBlock {
public:
    // n_bytes of memory, all 0 as the system gives it; CMemoryException
    // when there is none.
    explicit LargeBlock(std::size_t n_bytes);
    ~LargeBlock();
    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    void* GetData() const { return pData; }
    std::size_t GetSize() const { return nBytes; }

private:
    void* pData = nullptr;
    std::size_t nBytes = 0;
};
