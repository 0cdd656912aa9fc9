#include "tests/support/files.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "link/devices.h"

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TempDir::TempDir(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

MappedPort::MappedPort(std::string port, fs::path file, const std::string& content)
    : port_(std::move(port)), file_(std::move(file)) {
  std::ofstream(file_, std::ios::binary | std::ios::trunc) << content;
  Devices().Set(port_, file_.string());
}

MappedPort::~MappedPort() { Devices().Set(port_, "/nonexistent/printset-test/" + port_); }
