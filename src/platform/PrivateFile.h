#pragma once

#include <cstdio>
#include <string>

/// Opens path, a file of the program's own in its private folder, for writing from empty
/// (mode 0600), never through a symbolic link: a link under the name is removed first, and
/// the file is opened with O_NOFOLLOW, so what is written cannot land anywhere else. Null,
/// with errno set, when the name holds anything but a regular file or a link, or on any
/// other failure. The caller closes the stream.
FILE* OpenPrivateFile(const std::string& path, bool binary = false);

/// Opens path as OpenPrivateFile() does, but leaves it as it is (not emptied) and returns
/// the descriptor; -1 with errno set on failure.
int OpenPrivateFileDescriptor(const std::string& path);
