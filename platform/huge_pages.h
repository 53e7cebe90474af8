#pragma once
// A hint that a large buffer, about to be filled, may be backed by huge
// pages: one page fault per 2 MiB instead of one per 4 KiB.
#include <cstddef>

// Advises the whole 2 MiB pieces of [p, p + nBytes); failures are ignored,
// the memory works the same without them.
void AdviseHugePages(void* p, std::size_t nBytes);
