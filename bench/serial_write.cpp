// Serial writes over a pseudo-terminal: throughput of TComPort::WriteStr
// against a plain blocking write(2) loop, and the CPU a write held up by
// XOFF costs while it waits out its time-out.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/comport.h"
#include "link/devices.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr size_t kBytes = 100000;
constexpr double kMinRatio = 0.9;
constexpr double kMaxCpuShare = 0.05;

std::optional<double> g_ratio;
std::optional<double> g_cpuShare;

// A pty whose master end a thread reads as fast as it can.
class DrainedPty {
 public:
  DrainedPty() {
    char name[256] = {};
    int slave = -1;
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    slaveFd_ = slave;  // keeps the line up between the writer's opens
    path_ = name;
    reader_ = std::thread([this] { Read(); });
  }
  ~DrainedPty() {
    stop_ = true;
    reader_.join();
    close(slaveFd_);
    close(master_);
  }
  const std::string& Path() const { return path_; }
  int Slave() const { return slaveFd_; }

  size_t Received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }
  void WaitFor(size_t total) const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return received_ >= total; });
  }

 private:
  void Read() {
    std::vector<char> chunk(65536);
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      const ssize_t n = read(master_, chunk.data(), chunk.size());
      if (n <= 0) continue;
      {
        std::lock_guard lock(mutex_);
        received_ += static_cast<size_t>(n);
      }
      changed_.notify_all();
    }
  }

  int master_ = -1;
  int slaveFd_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  size_t received_ = 0;
  std::thread reader_;
};

void PlainWriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n > 0)
      done += static_cast<size_t>(n);
    else if (n < 0 && errno != EINTR)
      throw std::runtime_error("write");
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_WriteStrAgainstPlainWrite(benchmark::State& state) {
  std::string data(kBytes, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 % 256);

  // One pty and one reader for both, so that only the writing code differs.
  DrainedPty pty;
  DeviceMap map;
  map.Set("COM3", pty.Path());
  TComPort port;
  port.SetDeviceMap(&map);
  port.SetPort("COM3");
  port.SetBaudRate(115200);
  port.Open();
  // The plain loop writes through the pair's own blocking slave descriptor,
  // with the line settings the port has just made.
  const int plain = pty.Slave();

  std::vector<double> ours, reference;
  auto measure = [&](std::vector<double>& times, auto&& write) {
    // Measured to the moment the reader has every byte.
    const size_t target = pty.Received() + kBytes;
    const auto start = Clock::now();
    write();
    pty.WaitFor(target);
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  };
  bool oursFirst = true;
  for (auto _ : state) {
    auto writeOurs = [&] { port.WriteStr(data); };
    auto writePlain = [&] { PlainWriteAll(plain, data); };
    if (oursFirst) {
      measure(ours, writeOurs);
      measure(reference, writePlain);
    } else {
      measure(reference, writePlain);
      measure(ours, writeOurs);
    }
    oursFirst = !oursFirst;
  }
  port.Close();

  // Each pair ran back to back, so its ratio is least disturbed by the
  // machine's other load.
  std::vector<double> ratios;
  for (size_t i = 0; i < ours.size(); ++i) ratios.push_back(reference[i] / ours[i]);
  g_ratio = Median(ratios);
  const double oursRate = kBytes / Median(ours);
  const double plainRate = kBytes / Median(reference);
  state.counters["writestr_MBps"] = oursRate / 1e6;
  state.counters["plain_MBps"] = plainRate / 1e6;
  state.counters["ratio"] = *g_ratio;
}
BENCHMARK(BM_WriteStrAgainstPlainWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

void BM_WriteStrHeldByXoff(benchmark::State& state) {
  int master = -1, slave = -1;
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    state.SkipWithError("openpty");
    return;
  }
  DeviceMap map;
  map.Set("COM3", name);
  TComPort port;
  port.SetDeviceMap(&map);
  port.SetPort("COM3");
  port.Open();
  const char xoff = 0x13;
  (void)!write(master, &xoff, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));

  double cpu = 0, wall = 0;
  for (auto _ : state) {
    const double cpu0 = CpuSeconds();
    const auto wall0 = Clock::now();
    benchmark::DoNotOptimize(port.WriteStr("abcde"));  // waits out 1.5 s
    wall += std::chrono::duration<double>(Clock::now() - wall0).count();
    cpu += CpuSeconds() - cpu0;
  }
  port.Close();
  close(slave);
  close(master);
  g_cpuShare = cpu / wall;
  state.counters["cpu_percent_of_wall"] = 100.0 * *g_cpuShare;
}
BENCHMARK(BM_WriteStrHeldByXoff)->Unit(benchmark::kMillisecond)->Iterations(2);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bool failed = false;
  if (g_ratio) {
    const bool ok = *g_ratio >= kMinRatio;
    std::printf("%s: WriteStr throughput is %.3f of a plain write loop (minimum %.2f)\n",
                ok ? "PASS" : "FAIL", *g_ratio, kMinRatio);
    failed |= !ok;
  }
  if (g_cpuShare) {
    const bool ok = *g_cpuShare <= kMaxCpuShare;
    std::printf("%s: a write held by XOFF used %.2f %% CPU of its wait (maximum %.0f %%)\n",
                ok ? "PASS" : "FAIL", 100.0 * *g_cpuShare, 100.0 * kMaxCpuShare);
    failed |= !ok;
  }
  return failed ? 1 : 0;
}
