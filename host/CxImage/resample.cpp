// Scaling: an area average when shrinking (every source pixel counts by how
// much of it a destination pixel covers, so a large photo drawn small is not
// aliased) and bilinear interpolation when enlarging, one axis at a time, in
// premultiplied alpha so transparent pixels lend no color to their
// neighbours.
#include <algorithm>
#include <array>
#include <cmath>

#include "CxImage/cximage.h"
#include "CxImage/resample_internal.h"

namespace cximage {
namespace {

// For each destination position of [from, to) along one axis: the first
// source position that contributes, and the weights of it and its followers.
struct Taps {
  std::vector<int> first;
  std::vector<std::vector<float>> weights;
};

Taps MakeTaps(int src, int dst, int from, int to) {
  Taps t;
  double scale = static_cast<double>(src) / dst;
  for (int i = from; i < to; ++i) {
    std::vector<float> w;
    int first = 0;
    if (dst < src) {
      double lo = i * scale, hi = (i + 1) * scale;
      first = static_cast<int>(lo);
      int last = std::min(src - 1, static_cast<int>(std::ceil(hi)) - 1);
      for (int s = first; s <= last; ++s)
        w.push_back(static_cast<float>((std::min<double>(s + 1, hi) - std::max<double>(s, lo)) / scale));
    } else {
      double c = (i + 0.5) * scale - 0.5;
      int left = static_cast<int>(std::floor(c));
      float f = static_cast<float>(c - left);
      int a = std::clamp(left, 0, src - 1), b = std::clamp(left + 1, 0, src - 1);
      first = a;
      if (a == b || f == 0.0f) w = {1.0f};
      else w = {1.0f - f, f};
    }
    t.first.push_back(first);
    t.weights.push_back(std::move(w));
  }
  return t;
}

using Premultiplied = std::array<float, 4>;  // blue, green, red, alpha; 0 to 255

Premultiplied Unpack(uint32_t v) {
  float a = static_cast<float>(v >> 24);
  float k = a / 255.0f;
  return {static_cast<float>(v & 0xFF) * k, static_cast<float>((v >> 8) & 0xFF) * k,
          static_cast<float>((v >> 16) & 0xFF) * k, a};
}

uint32_t Pack(const Premultiplied& p, bool keepAlpha) {
  float a = std::clamp(p[3], 0.0f, 255.0f);
  uint32_t alpha = keepAlpha ? static_cast<uint32_t>(std::lround(a)) : 255;
  if (alpha == 0 && keepAlpha) return 0;
  float k = a > 0.0f ? 255.0f / a : 0.0f;
  auto channel = [&](float c) { return static_cast<uint32_t>(std::lround(std::clamp(c * k, 0.0f, 255.0f))); };
  return alpha << 24 | channel(p[2]) << 16 | channel(p[1]) << 8 | channel(p[0]);
}

}  // namespace

void ResampleSmooth(const Raster& src, int dstW, int dstH, const RECT& region, uint32_t* out) {
  int rw = region.right - region.left, rh = region.bottom - region.top;
  if (rw <= 0 || rh <= 0) return;
  Taps xt = MakeTaps(src.width, dstW, region.left, region.right);
  Taps yt = MakeTaps(src.height, dstH, region.top, region.bottom);
  // Horizontally scaled source rows in a ring as deep as the most rows one
  // destination row needs: source row y lives in slot y % depth, and rows
  // are made in order, so a row is overwritten only once no later
  // destination row needs it.
  size_t depth = 1;
  for (const std::vector<float>& w : yt.weights) depth = std::max(depth, w.size());
  std::vector<Premultiplied> ring(depth * static_cast<size_t>(rw));
  int made = yt.first[0];  // the next source row to scale
  auto scaledRow = [&](int sy) -> const Premultiplied* {
    for (; made <= sy; ++made) {
      Premultiplied* row = &ring[(static_cast<size_t>(made) % depth) * rw];
      for (int i = 0; i < rw; ++i) {
        const std::vector<float>& w = xt.weights[i];
        Premultiplied sum{0, 0, 0, 0};
        for (size_t k = 0; k < w.size(); ++k) {
          Premultiplied p = Unpack(src.Argb(xt.first[i] + static_cast<int>(k), made));
          for (int c = 0; c < 4; ++c) sum[c] += p[c] * w[k];
        }
        row[i] = sum;
      }
    }
    return &ring[(static_cast<size_t>(sy) % depth) * rw];
  };
  bool keepAlpha = src.bpp == 32;
  std::vector<Premultiplied> acc(static_cast<size_t>(rw));
  for (int j = 0; j < rh; ++j) {
    made = std::max(made, yt.first[j]);  // rows no destination row needs are skipped
    std::fill(acc.begin(), acc.end(), Premultiplied{0, 0, 0, 0});
    const std::vector<float>& w = yt.weights[j];
    for (size_t k = 0; k < w.size(); ++k) {
      const Premultiplied* row = scaledRow(yt.first[j] + static_cast<int>(k));
      for (int i = 0; i < rw; ++i)
        for (int c = 0; c < 4; ++c) acc[i][c] += row[i][c] * w[k];
    }
    for (int i = 0; i < rw; ++i) out[static_cast<size_t>(j) * rw + i] = Pack(acc[i], keepAlpha);
  }
}

}  // namespace cximage

bool CxImage::Resample(long newx, long newy, int mode, CxImage* iDst) {
  if (!IsValid() || !cximage::SizeAllowed(newx, newy)) return false;
  if (mode != CXIMAGE_RESAMPLE_NEAREST && mode != CXIMAGE_RESAMPLE_SMOOTH) return false;
  const cximage::Raster& src = m_raster;
  int w = static_cast<int>(newx), h = static_cast<int>(newy);
  cximage::Raster out;
  if (mode == CXIMAGE_RESAMPLE_NEAREST) {
    if (!cximage::Allocate(out, w, h, src.bpp)) return false;
    out.palette = src.palette;
    for (int y = 0; y < h; ++y) {
      int sy = static_cast<int>((2 * static_cast<int64_t>(y) + 1) * src.height / (2 * static_cast<int64_t>(h)));
      for (int x = 0; x < w; ++x) {
        int sx = static_cast<int>((2 * static_cast<int64_t>(x) + 1) * src.width / (2 * static_cast<int64_t>(w)));
        if (src.Indexed()) out.indexes[out.At(x, y)] = src.indexes[src.At(sx, sy)];
        else out.argb[out.At(x, y)] = src.argb[src.At(sx, sy)];
      }
    }
  } else {
    if (!cximage::Allocate(out, w, h, src.bpp == 32 ? 32 : 24)) return false;
    cximage::ResampleSmooth(src, w, h, RECT{0, 0, w, h}, out.argb.data());
  }
  CxImage& dst = iDst ? *iDst : *this;
  dst.m_raster = std::move(out);
  dst.m_dwType = m_dwType;
  dst.m_nJpegQuality = m_nJpegQuality;
  return true;
}
