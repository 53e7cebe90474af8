#include "platform/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace {
constexpr std::uintptr_t kHugePage = 2u << 20;
}

void AdviseHugePages(void* p, std::size_t nBytes)
{
#ifdef MADV_HUGEPAGE
    const auto nBegin = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t nFirst = (nBegin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t nLast = (nBegin + nBytes) & ~(kHugePage - 1);
    if (nLast > nFirst)
        madvise(reinterpret_cast<void*>(nFirst), nLast - nFirst, MADV_HUGEPAGE);
#else
    (void)p;
    (void)nBytes;
#endif
}
