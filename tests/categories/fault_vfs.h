// An SQLite VFS over the default one that can fail or cut short the writes
// beneath the category store, registered as "nbfault":
//
//   kIoError  the Nth write, sync or truncate fails with SQLITE_IOERR; the
//             ones after it work again.
//   kDiskFull the Nth one fails with SQLITE_FULL; the ones after it work.
//   kCrash    from the Nth one on nothing reaches the files any more (each
//             call fails), as if the program had died there; what the files
//             hold is what a restart finds.
//   kPowerLoss as kCrash, and every write and truncate since each file's
//             last sync is undone as well: what a restart after the machine
//             lost power finds.
//   kReadOnly the database file opens for reading only, as a file the user
//             may not write in a folder the user may.
//
// Counting starts at Arm(); Ops() tells how many happened since.
#pragma once

#include <sqlite3.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace faultvfs {

enum class Mode { kNone, kIoError, kDiskFull, kCrash, kPowerLoss, kReadOnly };

struct State {
  Mode mode = Mode::kNone;
  int failAt = 0;  // 1-based
  int ops = 0;
  bool crashed = false;
};

inline State& Current() {
  static State state;
  return state;
}

inline void Arm(Mode mode, int failAt) { Current() = State{mode, failAt, 0, false}; }
inline void Disarm() { Current() = State{}; }
inline int Ops() { return Current().ops; }

// What a write or truncate replaced, to be put back if no sync follows.
struct Undo {
  sqlite3_int64 offset;
  std::string old;  // the bytes that were at offset
  sqlite3_int64 size;  // the file's size before
};

struct File {
  sqlite3_file base;
  sqlite3_file* real;
  std::vector<Undo>* unsynced;
};

inline std::set<File*>& OpenFiles() {
  static std::set<File*> files;
  return files;
}

inline sqlite3_vfs* Real() { return sqlite3_vfs_find(nullptr); }
inline sqlite3_file* R(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

// Undoes every write and truncate no sync has made durable, newest first.
inline void LosePower() {
  for (File* f : OpenFiles()) {
    sqlite3_file* real = f->real;
    for (auto it = f->unsynced->rbegin(); it != f->unsynced->rend(); ++it) {
      if (!it->old.empty()) real->pMethods->xWrite(real, it->old.data(), static_cast<int>(it->old.size()), it->offset);
      real->pMethods->xTruncate(real, it->size);
    }
    f->unsynced->clear();
  }
}

// The result of a write-like call about to happen: SQLITE_OK to let it through.
inline int Gate(int ioerr) {
  State& s = Current();
  if (s.crashed) return ioerr;
  if (s.mode == Mode::kNone || s.mode == Mode::kReadOnly) return SQLITE_OK;
  if (++s.ops != s.failAt) return SQLITE_OK;
  if (s.mode == Mode::kCrash || s.mode == Mode::kPowerLoss) {
    s.crashed = true;
    if (s.mode == Mode::kPowerLoss) LosePower();
    return ioerr;
  }
  return s.mode == Mode::kDiskFull ? SQLITE_FULL : ioerr;
}

// Remembers what [offset, offset + n) of the file holds, before it changes.
inline void Remember(File* f, sqlite3_int64 offset, sqlite3_int64 n) {
  if (Current().mode != Mode::kPowerLoss) return;
  sqlite3_file* real = f->real;
  sqlite3_int64 size = 0;
  real->pMethods->xFileSize(real, &size);
  Undo undo{offset, std::string(), size};
  sqlite3_int64 end = offset + n < size ? offset + n : size;
  if (end > offset) {
    undo.old.resize(static_cast<size_t>(end - offset));
    real->pMethods->xRead(real, undo.old.data(), static_cast<int>(end - offset), offset);
  }
  f->unsynced->push_back(std::move(undo));
}

inline File* F(sqlite3_file* f) { return reinterpret_cast<File*>(f); }

inline int Close(sqlite3_file* f) {
  int rc = R(f)->pMethods ? R(f)->pMethods->xClose(R(f)) : SQLITE_OK;
  sqlite3_free(R(f));
  OpenFiles().erase(F(f));
  delete F(f)->unsynced;
  return rc;
}
inline int Read(sqlite3_file* f, void* p, int n, sqlite3_int64 o) { return R(f)->pMethods->xRead(R(f), p, n, o); }
inline int Write(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
  int rc = Gate(SQLITE_IOERR_WRITE);
  if (rc != SQLITE_OK) return rc;
  Remember(F(f), o, n);
  return R(f)->pMethods->xWrite(R(f), p, n, o);
}
inline int Truncate(sqlite3_file* f, sqlite3_int64 size) {
  int rc = Gate(SQLITE_IOERR_TRUNCATE);
  if (rc != SQLITE_OK) return rc;
  sqlite3_int64 now = 0;
  R(f)->pMethods->xFileSize(R(f), &now);
  if (size < now) Remember(F(f), size, now - size);
  return R(f)->pMethods->xTruncate(R(f), size);
}
inline int Sync(sqlite3_file* f, int flags) {
  int rc = Gate(SQLITE_IOERR_FSYNC);
  if (rc != SQLITE_OK) return rc;
  rc = R(f)->pMethods->xSync(R(f), flags);
  if (rc == SQLITE_OK) F(f)->unsynced->clear();
  return rc;
}
inline int FileSize(sqlite3_file* f, sqlite3_int64* size) { return R(f)->pMethods->xFileSize(R(f), size); }
inline int Lock(sqlite3_file* f, int l) { return R(f)->pMethods->xLock(R(f), l); }
inline int Unlock(sqlite3_file* f, int l) { return R(f)->pMethods->xUnlock(R(f), l); }
inline int CheckLock(sqlite3_file* f, int* out) { return R(f)->pMethods->xCheckReservedLock(R(f), out); }
inline int FileControl(sqlite3_file* f, int op, void* arg) { return R(f)->pMethods->xFileControl(R(f), op, arg); }
inline int SectorSize(sqlite3_file* f) { return R(f)->pMethods->xSectorSize(R(f)); }
inline int DeviceChars(sqlite3_file* f) { return R(f)->pMethods->xDeviceCharacteristics(R(f)); }
inline int ShmMap(sqlite3_file* f, int i, int sz, int w, void volatile** pp) {
  return R(f)->pMethods->xShmMap(R(f), i, sz, w, pp);
}
inline int ShmLock(sqlite3_file* f, int o, int n, int fl) { return R(f)->pMethods->xShmLock(R(f), o, n, fl); }
inline void ShmBarrier(sqlite3_file* f) { R(f)->pMethods->xShmBarrier(R(f)); }
inline int ShmUnmap(sqlite3_file* f, int del) { return R(f)->pMethods->xShmUnmap(R(f), Current().crashed ? 0 : del); }

inline const sqlite3_io_methods* Methods() {
  static const sqlite3_io_methods methods = {
      2,        Close,     Read,       Write,     Truncate,     Sync,        FileSize,   Lock,     Unlock,
      CheckLock, FileControl, SectorSize, DeviceChars, ShmMap, ShmLock, ShmBarrier, ShmUnmap, nullptr, nullptr};
  return &methods;
}

inline int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
  auto* file = reinterpret_cast<File*>(f);
  file->base.pMethods = nullptr;
  file->unsynced = nullptr;
  file->real = static_cast<sqlite3_file*>(sqlite3_malloc(Real()->szOsFile));
  if (!file->real) return SQLITE_NOMEM;
  std::memset(file->real, 0, static_cast<size_t>(Real()->szOsFile));
  if (Current().mode == Mode::kReadOnly && (flags & SQLITE_OPEN_MAIN_DB) && (flags & SQLITE_OPEN_READWRITE)) {
    flags &= ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    flags |= SQLITE_OPEN_READONLY;
  }
  int rc = Real()->xOpen(Real(), name, file->real, flags, outFlags);
  if (rc != SQLITE_OK) {
    sqlite3_free(file->real);
    return rc;
  }
  file->base.pMethods = Methods();
  file->unsynced = new std::vector<Undo>;
  OpenFiles().insert(file);
  return SQLITE_OK;
}

inline int Delete(sqlite3_vfs*, const char* name, int syncDir) {
  if (Current().crashed) return SQLITE_IOERR_DELETE;
  return Real()->xDelete(Real(), name, syncDir);
}
inline int Access(sqlite3_vfs*, const char* name, int flags, int* out) {
  return Real()->xAccess(Real(), name, flags, out);
}
inline int FullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
  return Real()->xFullPathname(Real(), name, n, out);
}
inline int Randomness(sqlite3_vfs*, int n, char* out) { return Real()->xRandomness(Real(), n, out); }
inline int Sleep(sqlite3_vfs*, int us) { return Real()->xSleep(Real(), us); }
inline int CurrentTime(sqlite3_vfs*, double* out) { return Real()->xCurrentTime(Real(), out); }
inline int GetLastError(sqlite3_vfs*, int n, char* out) { return Real()->xGetLastError(Real(), n, out); }

// Registers the VFS once; its name for CNbDatabase::Open.
inline const char* Register() {
  static sqlite3_vfs vfs = [] {
    sqlite3_vfs v{};
    v.iVersion = 1;
    v.szOsFile = sizeof(File);
    v.mxPathname = Real()->mxPathname;
    v.zName = "nbfault";
    v.xOpen = Open;
    v.xDelete = Delete;
    v.xAccess = Access;
    v.xFullPathname = FullPathname;
    v.xRandomness = Randomness;
    v.xSleep = Sleep;
    v.xCurrentTime = CurrentTime;
    v.xGetLastError = GetLastError;
    return v;
  }();
  static const bool registered = sqlite3_vfs_register(&vfs, 0) == SQLITE_OK;
  return registered ? vfs.zName : nullptr;
}

}  // namespace faultvfs
