#include "core/errors.h"

#include <cerrno>

EInOutError::EInOutError(int code) : AppError(InOutErrorText(code)), code_(code) {}

EInOutError::EInOutError(int code, const std::string& text) : AppError(text), code_(code) {}

EComPort::EComPort(const std::string& message, int osError)
    : AppError(message + " (win error code: " + std::to_string(osError) + ")"), osError_(osError) {}

std::string InOutErrorText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

namespace {
// The errnos that have a code of their own; 0 for the others.
int TableCode(int err) {
  switch (err) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS: return 5;
    case ENOSPC: return 101;
    default: return 0;
  }
}
}  // namespace

int InOutCodeFromErrno(int err) {
  const int code = TableCode(err);
  return code ? code : err;
}

EInOutError InOutErrorFromErrno(int err) {
  if (const int code = TableCode(err)) return EInOutError(code);
  return EInOutError(err, "I/O error " + std::to_string(err));
}

std::string ErrorBoxText(const std::string& text) {
  if (text.empty()) return text;
  // Bytes of a UTF-8 sequence are >= 0x80, so a trailing double-byte
  // character sorts after "." as it does in the single-byte comparison.
  const auto last = static_cast<unsigned char>(text.back());
  return last > '.' ? text + "." : text;
}
