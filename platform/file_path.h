#pragma once
// Small path helpers: the writers that replace files in place, the dialogs.
#include <string>

// The file a symbolic link names, so that replacing the file keeps the link;
// for a link to a missing file, the file a direct write would create.
std::string ResolveTarget(const std::string& strPath);

// The folder part of a path: the text before its last "/" ("/" for a file in
// "/"); strNone when the path has no "/".
std::string DirectoryOf(const std::string& strPath, const std::string& strNone = ".");
