// The settings file on disk: read with a size cap, recognised again by its
// identity, and replaced in one step through any symbolic link, keeping the
// mode and owner the user gave it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace nbhost {

// A settings file larger than this is not one the program wrote: it reads
// as a corrupt file does, and is never written over.
constexpr size_t kMaxSettingsFileSize = size_t{1} << 20;

// What identifies one version of a file without reading it. A change made
// within the file system's timestamp granularity may leave the stamp alone;
// IsRecent tells when that can still happen.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = -1;
  long long modifiedNs = 0;  // the later of the data and the inode change times
  bool operator==(const FileStamp&) const = default;
};

enum class FileRead {
  kMissing,     // no file (or no folder) at the path
  kUnreadable,  // there, but not a regular file we may read
  kTooLarge,    // over kMaxSettingsFileSize: not read at all
  kRead,
};

// The stamp of the file at path (links followed); kRead when it is a
// regular file, and what is wrong with it otherwise.
FileRead StampFile(const std::string& path, FileStamp& stamp);

// Reads the whole file into `bytes`, at most kMaxSettingsFileSize of it,
// and gives the stamp of what was read.
FileRead ReadFileCapped(const std::string& path, std::string& bytes, FileStamp& stamp);

// Whether a file of this stamp may still change without its stamp changing:
// it was changed within the last two seconds (the coarsest timestamp
// granularity of the file systems a settings folder may live on).
bool IsRecent(const FileStamp& stamp);

// Replaces the file at path with `bytes` in one step: a new file is written
// beside the file the path names (following symbolic links, which stay) and
// renamed over it, so a crash leaves the old file or the new one. The new
// file keeps the old one's mode and owner; it is refused (false, nothing
// changed) when the owner cannot be kept. A missing file is created with
// its folders.
bool ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace nbhost
