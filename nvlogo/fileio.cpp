#include "nvlogo/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"
#include "link/devices.h"

ByteString ReadFileBytes(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw InOutErrorFromErrno(errno);
  ByteString out;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n > 0) {
      out.append(chunk, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      const int err = errno;
      ::close(fd);
      throw InOutErrorFromErrno(err);
    }
  }
  if (::close(fd) != 0) throw InOutErrorFromErrno(errno);
  return out;
}

HeldDeviceFile::HeldDeviceFile(const std::string& portName) {
  const std::string path = Devices().PathFor(portName);
  struct stat st {};
  // A port mapped to a plain file (as in tests) starts empty, as a fresh
  // write to it would.
  const int flags = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? O_TRUNC : 0;
  fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | flags);
  if (fd_ < 0) throw InOutErrorFromErrno(errno);
}

HeldDeviceFile::~HeldDeviceFile() {
  if (fd_ >= 0) ::close(fd_);
}

void HeldDeviceFile::Write(const ByteString& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      throw InOutErrorFromErrno(n < 0 ? errno : EIO);
    }
  }
}

void HeldDeviceFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  if (fd >= 0 && ::close(fd) != 0) throw InOutErrorFromErrno(errno);
}
