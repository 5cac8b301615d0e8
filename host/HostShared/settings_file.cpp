#include "HostShared/settings_file.h"

#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>

namespace nbhost {
namespace {

FileStamp StampOf(const struct stat& st) {
  auto ns = [](const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; };
  long long changed = ns(st.st_mtim) > ns(st.st_ctim) ? ns(st.st_mtim) : ns(st.st_ctim);
  return FileStamp{st.st_dev, st.st_ino, st.st_size, changed};
}

FileRead Classify(const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return FileRead::kUnreadable;
  if (static_cast<unsigned long long>(st.st_size) > kMaxSettingsFileSize) return FileRead::kTooLarge;
  return FileRead::kRead;
}

// Anything but "not there" (a folder we may not enter, say) must not count
// as missing: a missing file is created on the next write.
FileRead Failure(int error) { return error == ENOENT || error == ENOTDIR ? FileRead::kMissing : FileRead::kUnreadable; }

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at; the path itself when it is no
// link. Empty for a loop.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[PATH_MAX];
    ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
    if (n <= 0) return {};
    std::string next(target, static_cast<size_t>(n));
    path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
  }
  return {};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The new file's mode and owner: those of the file it replaces, or what a
// newly created file gets (the umask applies to the temporary file).
bool TakeOver(int fd, const std::string& target) {
  struct stat old {};
  if (stat(target.c_str(), &old) != 0) return errno == ENOENT;
  if ((old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(fd, old.st_uid, old.st_gid) != 0) return false;
  return fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace

FileRead StampFile(const std::string& path, FileStamp& stamp) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return Failure(errno);
  stamp = StampOf(st);
  return Classify(st);
}

FileRead ReadFileCapped(const std::string& path, std::string& bytes, FileStamp& stamp) {
  bytes.clear();
  // Non-blocking, so that a FIFO in the file's place cannot stall the program.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Failure(errno);
  struct stat st {};
  FileRead result = fstat(fd, &st) == 0 ? Classify(st) : FileRead::kUnreadable;
  if (result == FileRead::kRead) {
    stamp = StampOf(st);
    bytes.reserve(static_cast<size_t>(st.st_size));
    // The file may grow while it is read: reading stops one chunk past the cap.
    char chunk[16384];
    while (bytes.size() <= kMaxSettingsFileSize) {
      ssize_t n = read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) result = FileRead::kUnreadable;
      if (n <= 0) break;
      bytes.append(chunk, static_cast<size_t>(n));
    }
    if (bytes.size() > kMaxSettingsFileSize) result = FileRead::kTooLarge;
  }
  close(fd);
  if (result != FileRead::kRead) bytes.clear();
  return result;
}

bool IsRecent(const FileStamp& stamp) {
  // File times are wall-clock times, so this compares with the wall clock,
  // not with the program's own (possibly pinned) clock.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  long long nowNs = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  return nowNs - stamp.modifiedNs < 2000000000LL;
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string target = FollowLinks(path);
  if (target.empty()) return false;
  const std::string folder = FolderOf(target);
  if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) return false;
  std::string temp = target + ".XXXXXX";
  int fd = g_mkstemp_full(temp.data(), O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = TakeOver(fd, target) && WriteAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace nbhost
