// A file opened for byte access with an access mode and a sharing mode.
//
// Sharing is emulated with an open-file-description (OFD) lock on a sentinel
// byte at offset 2^62, far beyond every engine lock region: a shared open
// holds a read lock there, an exclusive open a write lock. OFD locks belong
// to the open, not the process, so two opens inside one process refuse each
// other exactly as two processes do. Byte-range locks use the same OFD locks
// (F_OFD_SETLK, never F_SETLK) and are advisory: they never hinder reads or
// writes.
//
// An exclusive read-only open needs a descriptor open for writing to hold
// the write lock, so it opens read-write internally and never writes through
// it; when the file cannot be opened for writing, it falls back to a read
// lock, which still keeps out every writer that asks for exclusive access.
//
// Every operation returns 0 or an operating-system code of os_error.h;
// operations on a closed File return 103 (file not open).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pw::platform {

enum class Access { Read, ReadWrite };
enum class Sharing { Shared, Exclusive };

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file. Fails with 2 when it does not exist, 32 when the
  // sharing mode conflicts with another open.
  int Open(const std::string& path, Access access, Sharing sharing);
  // Creates the file, or truncates an existing one, for read-write access.
  int Create(const std::string& path, Sharing sharing);
  // Closes the file; closing a closed file is a no-op returning 0.
  int Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Reads up to `count` bytes at `offset`; `*got` receives the number read
  // (fewer at end of file).
  int ReadAt(std::uint64_t offset, void* buffer, std::size_t count, std::size_t* got) const;
  // Reads exactly `count` bytes; a short read fails with 213.
  int ReadExactAt(std::uint64_t offset, void* buffer, std::size_t count) const;
  // Writes all `count` bytes; a full disk fails with 101.
  int WriteAt(std::uint64_t offset, const void* buffer, std::size_t count);
  int Size(std::uint64_t* size) const;
  int Truncate(std::uint64_t size);
  // Commits the file's buffers to disk (fsync).
  int Flush();

  // Non-blocking exclusive lock of [offset, offset + length); 33 when another
  // open holds an overlapping lock. A zero length locks nothing and succeeds.
  // Ranges reaching the sentinel byte at 2^62 are refused with 33 (lock and
  // unlock alike), so that they can never touch the sharing lock.
  int LockRegion(std::uint64_t offset, std::uint64_t length);
  // Non-blocking shared lock of the range: shared locks of other opens stand
  // beside it, an exclusive one refuses it with 33. Same rules otherwise.
  int LockRegionShared(std::uint64_t offset, std::uint64_t length);
  // Releases [offset, offset + length); releasing bytes that are not held
  // succeeds.
  int UnlockRegion(std::uint64_t offset, std::uint64_t length);
  // Whether another open holds a lock, shared or exclusive, overlapping the
  // range (F_OFD_GETLK); a lock that cannot be looked up counts as held.
  bool RegionLockedByOther(std::uint64_t offset, std::uint64_t length) const;

  // Renames the open file to `newPath` (rename(2), atomic within one file
  // system); the open, its sharing lock and its byte-range locks stay.
  int RenameTo(const std::string& newPath);

  const std::string& Path() const { return path_; }
  Access AccessMode() const { return access_; }
  Sharing SharingMode() const { return sharing_; }
  int Descriptor() const { return fd_; }
  // Changes with every open, close, write and truncation through this File
  // (a value never used before in the process): equal stamps mean that
  // nothing was changed through it in between.
  std::uint64_t ChangeStamp() const { return stamp_; }

 private:
  int Attach(int fd, const std::string& path, Access access, Sharing sharing);
  int SetRegionLock(short type, std::uint64_t offset, std::uint64_t length);
  void NewStamp();

  int fd_ = -1;
  std::string path_;
  Access access_ = Access::Read;
  Sharing sharing_ = Sharing::Shared;
  std::uint64_t stamp_ = 0;
};

}  // namespace pw::platform
