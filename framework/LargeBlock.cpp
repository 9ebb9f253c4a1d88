#include "framework/LargeBlock.h"

#include "framework/Exceptions.h"

#include <sys/mman.h>

LargeBlock::LargeBlock(std::size_t n_bytes) : nBytes(n_bytes)
{
    void* p = mmap(nullptr, n_bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw CMemoryException();
    pData = p;
#if defined(MADV_HUGEPAGE)
    // A hint only: without huge pages the block works the same.
    madvise(pData, nBytes, MADV_HUGEPAGE);
#endif
}

LargeBlock::~LargeBlock()
{
    munmap(pData, nBytes);
}
