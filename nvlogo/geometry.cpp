#include "nvlogo/geometry.h"

#include <climits>
#include <cstdint>

namespace {
int Fill(int n) { return n % 8 == 0 ? 0 : 8 - n % 8; }
int Units(int n) { return n / 8 + (n % 8 != 0 ? 1 : 0); }
}  // namespace

RasterGeometry ComputeGeometry(int W, int H) {
  RasterGeometry g;
  g.W = W;
  g.H = H;
  g.fillX = Fill(W);
  g.fillY = Fill(H);
  g.xBytes = Units(W);
  g.yBytes = Units(H);
  g.xL = g.xBytes % 256;
  g.xH = g.xBytes / 256;
  g.yL = g.yBytes % 256;
  g.yH = g.yBytes / 256;
  // A size no picture can have must not wrap round into an acceptable count.
  const int64_t count = int64_t{g.xL + 256 * g.xH} * (g.yL + 256 * g.yH) * 8;
  g.byteCount = count > INT_MAX ? INT_MAX : count < INT_MIN ? INT_MIN : static_cast<int>(count);
  return g;
}
