// The device-file write against real files, a FIFO and character devices.
#include "link/devicefile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/errors.h"
#include "link/devices.h"

namespace {
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

const ByteString kCommand = Bytes({0x1F, 0x1B, 0x1F, 0x96, 0x00, 0x02, 0x00, 0x00, 0x33, 0x0D});

class DeviceFileTest : public ::testing::Test {
 protected:
  DeviceFileTest() : savedLpt1_(Devices().PathFor("LPT1")) {
    std::string pattern = ::testing::TempDir() + "devicefile_XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    dir_ = pattern;
  }
  ~DeviceFileTest() override {
    Devices().Set("LPT1", savedLpt1_);
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }

  // The code a failing write raises, or 0 when it succeeds.
  static int CodeOf(const std::string& name, const ByteString& data, std::string* text = nullptr) {
    try {
      WriteBufferToFile(name, data);
    } catch (const EInOutError& e) {
      if (text) *text = e.what();
      return e.ErrorCode();
    }
    return 0;
  }

  size_t EntriesInDir() const {
    return std::distance(fs::directory_iterator(dir_), fs::directory_iterator());
  }

  std::string savedLpt1_;
  fs::path dir_;
};

TEST_F(DeviceFileTest, WritesExactBytesAndReplacesPreviousContent) {
  struct Row {
    const char* name;
    bool throughPortName;
    bool existsBefore;
  };
  const Row rows[] = {
      {"LPT1 mapped to a file", true, true},
      {"new file", false, false},
      {"longer previous file", false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const fs::path target = dir_ / "out.bin";
    fs::remove(target);
    if (row.existsBefore) WriteFile(target, std::string(100, 'x'));
    std::string name = target.string();
    if (row.throughPortName) {
      Devices().Set("LPT1", target.string());
      name = "LPT1";
    }
    EXPECT_EQ(CodeOf(name, kCommand), 0);
    EXPECT_EQ(HexDump(ReadFile(target)), HexDump(kCommand));
    EXPECT_EQ(EntriesInDir(), 1u);  // no temporary left beside it
  }
}

TEST_F(DeviceFileTest, ReplacingKeepsModeAndLinks) {
  const fs::path real = dir_ / "real.bin";
  const fs::path link = dir_ / "link.bin";
  WriteFile(real, "previous");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, link);
  EXPECT_EQ(CodeOf(link.string(), kCommand), 0);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), kCommand);
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DeviceFileTest, FailingStepsRaiseTheirCode) {
  struct Row {
    const char* name;
    std::string target;  // through LPT1 when it starts with "LPT1="
    int code;
    const char* text;
  };
  const std::string missingLp = (dir_ / "lp0").string();
  const Row rows[] = {
      {"missing directory", (dir_ / "no" / "such.bin").string(), 2, "File not found"},
      // A missing parallel device is not created as a file.
      {"missing parallel device", "LPT1=" + missingLp, 2, "File not found"},
      {"a directory", dir_.string(), 21, "I/O error 21"},
      {"device that is full", "/dev/full", 101, "Disk full"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string name = row.target;
    if (name.rfind("LPT1=", 0) == 0) {
      Devices().Set("LPT1", name.substr(5));
      name = "LPT1";
    }
    std::string text;
    EXPECT_EQ(CodeOf(name, kCommand, &text), row.code);
    EXPECT_EQ(text, row.text);
  }
  EXPECT_FALSE(fs::exists(missingLp));
  EXPECT_EQ(EntriesInDir(), 0u);
}

TEST_F(DeviceFileTest, ReadOnlyTargetsAreRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "permission checks do not apply to root";
  const fs::path file = dir_ / "readonly.bin";
  WriteFile(file, "previous");
  fs::permissions(file, fs::perms::owner_read);
  std::string text;
  EXPECT_EQ(CodeOf(file.string(), kCommand, &text), 5);
  EXPECT_EQ(text, "File access denied");
  EXPECT_EQ(ReadFile(file), "previous");

  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(CodeOf((dir_ / "new.bin").string(), kCommand), 5);
}

TEST_F(DeviceFileTest, FailedWriteLeavesPreviousFileWhole) {
  // A file-size limit makes the write step fail part-way (EFBIG), with the
  // signal it would raise ignored.
  const fs::path target = dir_ / "hex.bin";
  WriteFile(target, "previous export");
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  std::string text;
  const int code = CodeOf(target.string(), ByteString(64 * 1024, '\0'), &text);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(code, EFBIG);
  EXPECT_EQ(text, "I/O error " + std::to_string(EFBIG));
  EXPECT_EQ(ReadFile(target), "previous export");
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(DeviceFileTest, DevicesAndFifosAreWrittenInPlace) {
  const fs::path fifo = dir_ / "printer.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread printer([&] { received = ReadFile(fifo); });
  EXPECT_EQ(CodeOf(fifo.string(), kCommand), 0);
  printer.join();
  EXPECT_EQ(HexDump(received), HexDump(kCommand));
  EXPECT_TRUE(fs::is_fifo(fifo));

  EXPECT_EQ(CodeOf("/dev/null", kCommand), 0);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(InOutErrorTest, ErrnoMapsOntoTheKnownCodes) {
  struct Row {
    int err;
    int code;
    const char* text;
  };
  const Row rows[] = {
      {ENOENT, 2, "File not found"},
      {ENOTDIR, 3, "Invalid filename"},
      {ENAMETOOLONG, 3, "Invalid filename"},
      {EMFILE, 4, "Too many open files"},
      {ENFILE, 4, "Too many open files"},
      {EACCES, 5, "File access denied"},
      {EPERM, 5, "File access denied"},
      {EROFS, 5, "File access denied"},
      {ENOSPC, 101, "Disk full"},
      {EISDIR, EISDIR, "I/O error 21"},
      {EFBIG, EFBIG, "I/O error 27"},
      // Unlisted errnos that equal a code of the table keep their own text.
      {EIO, EIO, "I/O error 5"},
      {ENETUNREACH, ENETUNREACH, "I/O error 101"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.err);
    const EInOutError e = InOutErrorFromErrno(row.err);
    EXPECT_EQ(e.ErrorCode(), row.code);
    EXPECT_STREQ(e.what(), row.text);
  }
}
}  // namespace

TEST_F(DeviceFileTest, ReadFileBytesReturnsEveryByteAndRefusesOverItsLimit) {
  const fs::path file = dir_ / "data.bin";
  const ByteString data = Bytes({0x00, 0x1B, 0xFF, 0x00});
  std::ofstream(file, std::ios::binary) << data;
  EXPECT_EQ(ReadFileBytes(file.string()), data);
  EXPECT_EQ(ReadFileBytes(file.string(), 4), data);
  EXPECT_THROW(ReadFileBytes(file.string(), 3), EFileTooLarge);
  // A FIFO has no size beforehand: the limit holds while reading.
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << data; });
  EXPECT_THROW(ReadFileBytes(fifo.string(), 3), EFileTooLarge);
  writer.join();
  EXPECT_THROW(ReadFileBytes((dir_ / "missing").string()), EInOutError);
}
