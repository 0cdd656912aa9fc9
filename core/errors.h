#pragma once
// Errors that end a handler and reach the application error box.
#include <stdexcept>
#include <string>

// Base of every error the application error box shows; what() is the text.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number typed into an edit that does not convert.
class EConvertError : public AppError {
 public:
  using AppError::AppError;
};

// A failing step of a device-file write; code is one of the table's codes.
class EInOutError : public AppError {
 public:
  explicit EInOutError(int code);
  EInOutError(int code, const std::string& text);
  int ErrorCode() const { return code_; }

 private:
  int code_;
};

// The serial component's error: message plus " (win error code: N)".
class EComPort : public AppError {
 public:
  EComPort(const std::string& message, int osError);
  int OsError() const { return osError_; }

 private:
  int osError_;
};

// Text of an I/O error code: "File not found", …, "I/O error N".
std::string InOutErrorText(int code);

// Maps a POSIX errno onto the I/O error codes whose texts users know;
// any other errno stays as it is.
int InOutCodeFromErrno(int err);

// The I/O error for a POSIX errno. An errno outside the table reads
// "I/O error N" even where N happens to equal a table code (EIO is 5).
EInOutError InOutErrorFromErrno(int err);

// The error box's full-stop rule: a text whose last character sorts
// after "." (letters, digits, double-byte characters) gets one appended.
std::string ErrorBoxText(const std::string& text);
