#pragma once
// One of a mission's lists of kill records. The records are made in blocks
// rather than one by one, and each keeps its address until it is removed or
// the list is cleared: the analysis holds records by pointer while it adds
// more.
#include "log/kill.h"

#include <cstddef>
#include <memory>
#include <vector>

class CKillList {
public:
    CKillList() = default;
    CKillList(const CKillList&) = delete;
    CKillList& operator=(const CKillList&) = delete;

    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    CKill* operator[](std::size_t nIndex) const { return m_records[nIndex]; }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

    // Appends a record with every field at its default.
    CKill* Add()
    {
        // Blocks grow with the list, so that adding one at a time allocates
        // rarely.
        if (m_nUsed == m_nLastSize)
            AddBlock(m_records.size());
        CKill* pRecord = &m_pLastBlock[m_nUsed++];
        *pRecord = CKill();
        m_records.push_back(pRecord);
        return pRecord;
    }
    void Remove(std::size_t nIndex);
    void Clear();
    // Makes room for nMore records more in one block.
    void Reserve(std::size_t nMore);

private:
    void AddBlock(std::size_t nSize); // at least a few records

    std::vector<CKill*> m_records; // in list order, each in one of the blocks
    // A loaded list has one block; one filled by adding records grows more.
    std::unique_ptr<CKill[]> m_pFirstBlock;
    std::vector<std::unique_ptr<CKill[]>> m_moreBlocks;
    CKill* m_pLastBlock = nullptr;
    std::size_t m_nLastSize = 0; // records in the last block
    std::size_t m_nUsed = 0;     // ... of which handed out
};
