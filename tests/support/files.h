#pragma once
// Files of the test's own: reading them back, a scratch directory, and a
// port mapped to a file in place of its device.
#include <filesystem>
#include <string>

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// A new directory under the system's temporary one, removed with all it
// holds when the test ends.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A port ("LPT1") mapped to a file made with the given content, since a
// send never creates a port's device. Afterwards the port points nowhere
// again, as every port does when no test maps it.
class MappedPort {
 public:
  MappedPort(std::string port, std::filesystem::path file, const std::string& content = "");
  ~MappedPort();
  MappedPort(const MappedPort&) = delete;
  MappedPort& operator=(const MappedPort&) = delete;

  const std::filesystem::path& Path() const { return file_; }

 private:
  std::string port_;
  std::filesystem::path file_;
};
