#pragma once
// Small path helpers shared by the writers that replace files in place.
#include <string>

// The file a symbolic link names, so that replacing the file keeps the link.
std::string ResolveTarget(const std::string& strPath);

// The folder part of a path: "." when there is none, "/" for a file in "/".
std::string DirectoryOf(const std::string& strPath);
