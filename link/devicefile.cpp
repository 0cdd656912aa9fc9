#include "link/devicefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "core/errors.h"
#include "link/devices.h"

namespace {
// An errno outside the known table reads "I/O error N", never a table text.
[[noreturn]] void Fail(int err) { throw InOutErrorFromErrno(err); }

void WriteAll(int fd, const ByteString& buffer) {
  size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      Fail(n < 0 ? errno : EIO);
    }
  }
}

// A device, or a file that must be written in place: one open, the bytes, close.
void WriteDirect(const std::string& path, int flags, const ByteString& buffer) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | flags, 0666);
  if (fd < 0) Fail(errno);
  try {
    WriteAll(fd, buffer);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) Fail(errno);
}

// A file beside the target, with the rights a plain create would give it.
int CreateTemporary(const std::string& target, std::string& name) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".tmp" + std::to_string(random() % 1000000);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes a new copy and renames it over the target, so that a failed write
// leaves the previous file as it was.
void WriteReplacing(const std::string& target, const struct stat* existing, const ByteString& buffer) {
  std::string temp;
  const int fd = CreateTemporary(target, temp);
  if (fd < 0) {
    // A directory we may not create in, holding a file we may write: write in place.
    if (existing && (errno == EACCES || errno == EPERM)) return WriteDirect(target, O_TRUNC, buffer);
    Fail(errno);
  }
  try {
    if (existing && fchmod(fd, existing->st_mode & 07777) != 0) Fail(errno);
    WriteAll(fd, buffer);
    if (fsync(fd) != 0) Fail(errno);
  } catch (...) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  if (::close(fd) != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    Fail(err);
  }
}
}  // namespace

void WriteBufferToFile(const std::string& name, const ByteString& buffer) {
  const DeviceMap& devices = Devices();
  std::string path = devices.PathFor(name);
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (devices.IsPortName(name)) {
    // Never create a device node that is not there: that is "File not found".
    return WriteDirect(path, exists && S_ISREG(st.st_mode) ? O_TRUNC : 0, buffer);
  }
  if (exists && !S_ISREG(st.st_mode)) return WriteDirect(path, 0, buffer);
  if (exists) {
    // Refuse as a plain open would: a read-only file stays read-only.
    const int probe = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (probe < 0) Fail(errno);
    ::close(probe);
    // Replace the file a link points to, not the link.
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) Fail(errno);
    path = resolved;
  }
  WriteReplacing(path, exists ? &st : nullptr, buffer);
}

ByteString ReadFileBytes(const std::string& name, size_t maxBytes) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) Fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    throw EFileTooLarge();
  }
  ByteString out;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n > 0) {
      out.append(chunk, static_cast<size_t>(n));
      // A device or pipe has no size to check beforehand.
      if (out.size() > maxBytes) {
        ::close(fd);
        throw EFileTooLarge();
      }
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      const int err = errno;
      ::close(fd);
      Fail(err);
    }
  }
  if (::close(fd) != 0) Fail(errno);
  return out;
}

HeldDeviceFile::HeldDeviceFile(const std::string& portName) {
  const std::string path = Devices().PathFor(portName);
  struct stat st {};
  // A port mapped to a plain file (as in tests) starts empty, as a fresh
  // write to it would.
  const int flags = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? O_TRUNC : 0;
  fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | flags);
  if (fd_ < 0) Fail(errno);
}

HeldDeviceFile::~HeldDeviceFile() {
  if (fd_ >= 0) ::close(fd_);
}

void HeldDeviceFile::Write(const ByteString& bytes) { WriteAll(fd_, bytes); }

void HeldDeviceFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  if (fd >= 0 && ::close(fd) != 0) Fail(errno);
}
