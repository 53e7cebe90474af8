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

// Loads a picture file (a Windows bitmap, PNG or JPEG) stretched to size
// through the current host; nullptr when it cannot be read. Without a host
// the file is only checked to begin like one of those.
std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size);

// True when the file can be read and begins like a Windows bitmap, PNG or
// JPEG file.
bool IsBitmapFile(const std::string& strPath);

