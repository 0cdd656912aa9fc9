#pragma once
#include <cstdint>
#include <string>

#include "core/bytes.h"
#include "core/errors.h"

// Writes the whole buffer to a port's device ("LPT1", through the device map)
// or to a file, created or emptied. Raises EInOutError on a failing step.
void WriteBufferToFile(const std::string& name, const ByteString& buffer);

// The bytes of a file, unchanged. Raises the I/O error of the failing step.
// A file longer than maxBytes is refused with EFileTooLarge unread.
ByteString ReadFileBytes(const std::string& name, size_t maxBytes = SIZE_MAX);

class EFileTooLarge : public AppError {
 public:
  EFileTooLarge() : AppError("The file is too large") {}
};

// A parallel port held open for several writes (the test page's copies).
// The name goes through the device map; a missing device is "File not
// found", never a new file.
class HeldDeviceFile {
 public:
  explicit HeldDeviceFile(const std::string& portName);
  ~HeldDeviceFile();
  HeldDeviceFile(const HeldDeviceFile&) = delete;
  HeldDeviceFile& operator=(const HeldDeviceFile&) = delete;

  // Writes every byte; raises the I/O error of a failing write.
  void Write(const ByteString& bytes);
  void Close();

 private:
  int fd_ = -1;
};
