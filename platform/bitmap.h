#pragma once
// A bitmap loaded from a file, stretched to a size. Hosts derive from it to
// keep their own image; the base only remembers where it came from.
#include <memory>
#include <string>

#include "platform/size.h"

class CBitmap {
public:
    CBitmap(std::string strPath, CSize size) : m_strPath(std::move(strPath)), m_size(size) {}
    virtual ~CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    const std::string& GetPath() const { return m_strPath; }
    CSize GetSize() const { return m_size; }

private:
    std::string m_strPath;
    CSize m_size;
};

// Loads a bitmap file stretched to size through the current host; nullptr
// when the file cannot be read as a bitmap. Without a host the file is only
// checked to be a Windows bitmap.
std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size);

// True when the file can be read and begins like a Windows bitmap file.
bool IsBitmapFile(const std::string& strPath);

