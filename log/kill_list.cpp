#include "log/kill_list.h"

#include <algorithm>

namespace {
constexpr std::size_t kMinBlock = 4;
}

void CKillList::AddBlock(std::size_t nSize)
{
    nSize = std::max(nSize, kMinBlock);
    std::unique_ptr<CKill[]>& pBlock = m_pFirstBlock ? m_moreBlocks.emplace_back() : m_pFirstBlock;
    pBlock = std::make_unique<CKill[]>(nSize);
    m_pLastBlock = pBlock.get();
    m_nLastSize = nSize;
    m_nUsed = 0;
}

void CKillList::Reserve(std::size_t nMore)
{
    if (m_nLastSize - m_nUsed < nMore)
        AddBlock(nMore);
    m_records.reserve(m_records.size() + nMore);
}

void CKillList::Remove(std::size_t nIndex)
{
    CKill* pRecord = m_records[nIndex];
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(nIndex));
    // The record handed out last is taken back (an added record dropped
    // again); any other stays unused until the list is cleared.
    if (m_nUsed > 0 && pRecord == &m_pLastBlock[m_nUsed - 1])
        --m_nUsed;
}

void CKillList::Clear()
{
    m_records.clear();
    m_moreBlocks.clear();
    m_pFirstBlock.reset();
    m_pLastBlock = nullptr;
    m_nLastSize = m_nUsed = 0;
}
