// Raster conversion of a picture at the NV logo size limit: the plain
// conversion and the window's download handler around it. Either one over
// 20 ms makes the program fail.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/dialogs.h"
#include "nvlogo/geometry.h"
#include "nvlogo/nvcommands.h"
#include "nvlogo/raster.h"
#include "widgets/combobox.h"

namespace {
constexpr double kTargetMs = 20.0;
// With the download's extra row: 88 x 71 units, 49984 bytes.
constexpr int kWidth = 704;
constexpr int kHeight = 567;

// Stripes and a diagonal in several colours, so that neither the dot test
// nor the packing sees a uniform picture.
Picture TestPicture() {
  Picture p{kWidth, kHeight, std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight)};
  const uint32_t inks[] = {0x000000, 0xFFFFFF, 0x0000FF, 0xFF0000, 0x7F7F7F, 0x808080};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      p.pixels[static_cast<size_t>(y) * kWidth + x] = inks[(x / 3 + y / 5 + (x == y)) % 6];
  return p;
}

void BM_DownloadConversion(benchmark::State& state) {
  const Picture picture = TestPicture();
  const ImagePlace place{272, 40, kWidth, kHeight};
  const RasterGeometry g = ComputeGeometry(kWidth, kHeight + 1);
  if (g.byteCount != 49984) state.SkipWithError("not at the size limit");
  for (auto _ : state) {
    Surface s = DrawClientArea(750 + g.xBytes * 8 - 464, 539 + g.yBytes * 8 - 464, picture, place);
    PaintWhiteFill(s, place, g.fillX, g.fillY, FillVariant::NvLogoDownload);
    ByteString command = NvLogoDownload(
        g, ScanColumns(s, place.left, place.top, g.W + g.fillX, g.H + g.fillY, kDefaultThreshold));
    benchmark::DoNotOptimize(command);
  }
}
BENCHMARK(BM_DownloadConversion)->Unit(benchmark::kMillisecond);

void BM_TestPageRowScan(benchmark::State& state) {
  const Picture picture = TestPicture();
  const ImagePlace place{272, 40, kWidth, kHeight};
  const RasterGeometry g = ComputeGeometry(kWidth, kHeight);
  for (auto _ : state) {
    Surface s = DrawClientArea(990, 643, picture, place);
    PaintWhiteFill(s, place, g.fillX, g.fillY, FillVariant::TestPage);
    ByteString rows = ScanRows(s, place.left, place.top, g.W + g.fillX, kHeight, kDefaultThreshold);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_TestPageRowScan)->Unit(benchmark::kMillisecond);

// Dialogs that answer nothing: the handler must not block.
class SilentDialogs : public Dialogs {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
  std::optional<std::string> OpenFileName(const std::string&) override { return file; }
  std::optional<std::string> file;
};

// The whole download click on the real window, with no port selected so
// that nothing leaves the machine.
void BM_WindowDownloadClick(benchmark::State& state) {
  SilentDialogs dialogs;
  Dialogs* previous = SetDialogs(&dialogs);
  {
    Windows w;
    const std::string path = "/tmp/printset-bench-nvlogo-" + std::to_string(::getpid()) + ".bmp";
    // A 1-bit file of the picture's size; its content does not change the work.
    const int stride = (kWidth + 31) / 32 * 4;
    std::string bmp(62, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 62 + stride * kHeight);
    put32(10, 62);
    put32(14, 40);
    put32(18, kWidth);
    put32(22, kHeight);
    put32(26, 1 | 1 << 16);
    put32(46, 2);
    put32(58, 0xFFFFFF);
    for (int y = 0; y < kHeight; ++y)
      for (int b = 0; b < stride; ++b) bmp.push_back(static_cast<char>(y % 3 ? 0x5A : 0xC3));
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fwrite(bmp.data(), 1, bmp.size(), f);
      std::fclose(f);
    }
    dialogs.file = path;
    w.nvf->BitBtn1Click();
    std::remove(path.c_str());
    if (w.nvf->ImagePicture().width != kWidth) state.SkipWithError("picture did not load");
    w.Form1->dk->SetItemIndex(-1);
    for (auto _ : state) w.nvf->Button2Click();
  }
  SetDialogs(previous);
}
BENCHMARK(BM_WindowDownloadClick)->Unit(benchmark::kMillisecond);

class TargetReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) {
        missed = true;
        continue;
      }
      // Spread rows (the coefficient of variation) are no times.
      if (r.run_type == Run::RT_Aggregate && r.aggregate_unit == benchmark::StatisticUnit::kPercentage) continue;
      const double ms = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
      if (ms > kTargetMs) {
        std::fprintf(stderr, "%s: %.2f ms, over the %.0f ms target\n", r.benchmark_name().c_str(), ms,
                     kTargetMs);
        missed = true;
      }
    }
  }
  bool missed = false;
};
}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TargetReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.missed ? 1 : 0;
}
