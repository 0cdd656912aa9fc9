#pragma once
// File and port steps of the NV logo window that the one-shot device-file
// write does not cover.
#include <string>

#include "core/bytes.h"

// The bytes of a file, unchanged. Raises the I/O error of the failing step.
ByteString ReadFileBytes(const std::string& name);

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
