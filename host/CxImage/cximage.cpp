// The image object: decoding, encoding, depth changes, copies, crops and
// pixel access. Resampling and drawing live in resample.cpp and draw.cpp.
#include "CxImage/cximage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "CxImage/codecs_internal.h"

using cximage::Raster;

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

DWORD DetectFormat(const BYTE* data, DWORD size) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return CXIMAGE_FORMAT_BMP;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return CXIMAGE_FORMAT_JPG;
  if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return CXIMAGE_FORMAT_PNG;
  return CXIMAGE_FORMAT_UNKNOWN;
}

uint32_t ToArgb(RGBQUAD q, uint8_t alpha) {
  return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(q.rgbRed) << 16 |
         static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
}

int NearestIndex(const Raster& r, RGBQUAD c) {
  int best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < r.palette.size(); ++i) {
    const RGBQUAD& p = r.palette[i];
    long dr = p.rgbRed - c.rgbRed, dg = p.rgbGreen - c.rgbGreen, db = p.rgbBlue - c.rgbBlue;
    long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) best = static_cast<int>(i), bestDistance = distance;
  }
  return best;
}

}  // namespace

CxImage::CxImage(BYTE* buffer, DWORD size, DWORD imagetype) { Decode(buffer, size, imagetype); }

CxImage::CxImage(const CxImage& src) { Copy(src); }

CxImage& CxImage::operator=(const CxImage& src) {
  if (this != &src) Copy(src);
  return *this;
}

bool CxImage::Fail(const char* why) {
  m_szLastError = why;
  return false;
}

bool CxImage::Decode(const BYTE* buffer, DWORD size, DWORD imagetype) {
  Destroy();
  if (!buffer || size == 0) return Fail("no data");
  if (imagetype == CXIMAGE_FORMAT_UNKNOWN) imagetype = DetectFormat(buffer, size);
  const char* why = "unknown format";
  switch (imagetype) {
    case CXIMAGE_FORMAT_BMP: why = cximage::DecodeBmp(buffer, size, m_raster); break;
    case CXIMAGE_FORMAT_JPG: why = cximage::DecodeJpeg(buffer, size, m_raster); break;
    case CXIMAGE_FORMAT_PNG: why = cximage::DecodePng(buffer, size, m_raster); break;
    default: break;
  }
  if (why) {
    m_raster = Raster{};
    return Fail(why);
  }
  m_dwType = imagetype;
  return true;
}

bool CxImage::Create(DWORD width, DWORD height, WORD bpp) {
  Destroy();
  if (!cximage::Allocate(m_raster, static_cast<int>(std::min<DWORD>(width, 0x7FFFFFFF)),
                         static_cast<int>(std::min<DWORD>(height, 0x7FFFFFFF)), bpp))
    return Fail("bad size or depth");
  size_t n = m_raster.palette.size();
  for (size_t i = 0; i < n; ++i) {
    BYTE v = static_cast<BYTE>(n > 1 ? i * 255 / (n - 1) : 0);
    m_raster.palette[i] = RGBQUAD{v, v, v, 0};
  }
  return true;
}

void CxImage::Destroy() {
  m_raster = Raster{};
  m_dwType = CXIMAGE_FORMAT_UNKNOWN;
  m_szLastError = "";
}

void CxImage::Copy(const CxImage& src) {
  if (this == &src) return;
  m_raster = src.m_raster;
  m_dwType = src.m_dwType;
  m_nJpegQuality = src.m_nJpegQuality;
  m_szLastError = src.m_szLastError;
}

RGBQUAD CxImage::GetPaletteColor(BYTE index) const {
  return index < m_raster.palette.size() ? m_raster.palette[index] : RGBQUAD{0, 0, 0, 0};
}

bool CxImage::SetPaletteColor(BYTE index, RGBQUAD color) {
  if (index >= m_raster.palette.size()) return false;
  m_raster.palette[index] = RGBQUAD{color.rgbBlue, color.rgbGreen, color.rgbRed, 0};
  return true;
}

RGBQUAD CxImage::GetPixelColor(long x, long y) const {
  if (!IsValid() || x < 0 || y < 0 || x >= m_raster.width || y >= m_raster.height) return RGBQUAD{0, 0, 0, 0};
  uint32_t v = m_raster.Argb(static_cast<int>(x), static_cast<int>(y));
  return RGBQUAD{static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 24)};
}

BYTE CxImage::GetPixelIndex(long x, long y) const {
  if (!m_raster.Indexed() || x < 0 || y < 0 || x >= m_raster.width || y >= m_raster.height) return 0;
  return m_raster.indexes[m_raster.At(static_cast<int>(x), static_cast<int>(y))];
}

void CxImage::SetPixelColor(long x, long y, RGBQUAD color) {
  if (!IsValid() || x < 0 || y < 0 || x >= m_raster.width || y >= m_raster.height) return;
  size_t at = m_raster.At(static_cast<int>(x), static_cast<int>(y));
  if (m_raster.Indexed()) m_raster.indexes[at] = static_cast<uint8_t>(NearestIndex(m_raster, color));
  else m_raster.argb[at] = ToArgb(color, m_raster.bpp == 32 ? color.rgbReserved : 255);
}

void CxImage::SetPixelIndex(long x, long y, BYTE index) {
  if (!m_raster.Indexed() || x < 0 || y < 0 || x >= m_raster.width || y >= m_raster.height) return;
  if (index < m_raster.palette.size()) m_raster.indexes[m_raster.At(static_cast<int>(x), static_cast<int>(y))] = index;
}

bool CxImage::IncreaseBpp(DWORD nbit) {
  if (!IsValid() || (nbit != 4 && nbit != 8 && nbit != 24 && nbit != 32) || static_cast<int>(nbit) < m_raster.bpp) return false;
  if (static_cast<int>(nbit) == m_raster.bpp) return true;
  Raster& r = m_raster;
  if (nbit <= 8) {  // more palette entries, the same indexes
    r.palette.resize(size_t{1} << nbit, RGBQUAD{0, 0, 0, 0});
  } else if (r.Indexed()) {
    std::vector<uint32_t> argb(r.indexes.size());
    for (size_t i = 0; i < argb.size(); ++i) argb[i] = ToArgb(r.palette[r.indexes[i]], 255);
    r.argb = std::move(argb);
    r.indexes = {};
    r.palette = {};
  }
  r.bpp = static_cast<int>(nbit);  // 24 to 32: the alpha bytes are already opaque
  return true;
}

bool CxImage::Crop(long left, long top, long right, long bottom, CxImage* iDst) {
  if (!IsValid()) return false;
  const Raster& r = m_raster;
  long l = std::max(left, 0L), t = std::max(top, 0L);
  long rt = std::min(right, static_cast<long>(r.width)), b = std::min(bottom, static_cast<long>(r.height));
  if (l >= rt || t >= b) return false;
  Raster out;
  if (!cximage::Allocate(out, static_cast<int>(rt - l), static_cast<int>(b - t), r.bpp)) return false;
  out.palette = r.palette;
  for (int y = 0; y < out.height; ++y) {
    size_t from = r.At(static_cast<int>(l), static_cast<int>(t) + y), to = out.At(0, y);
    if (r.Indexed()) std::copy_n(r.indexes.begin() + from, out.width, out.indexes.begin() + to);
    else std::copy_n(r.argb.begin() + from, out.width, out.argb.begin() + to);
  }
  CxImage& dst = iDst ? *iDst : *this;
  dst.m_raster = std::move(out);
  dst.m_dwType = m_dwType;
  dst.m_nJpegQuality = m_nJpegQuality;
  return true;
}

bool CxImage::Encode(BYTE*& buffer, long& size, DWORD imagetype) {
  buffer = nullptr;
  size = 0;
  if (!IsValid()) return Fail("invalid image");
  cximage::Encoded e;
  switch (imagetype) {
    case CXIMAGE_FORMAT_BMP: e = cximage::EncodeBmp(m_raster); break;
    case CXIMAGE_FORMAT_JPG: e = cximage::EncodeJpeg(m_raster, m_nJpegQuality); break;
    case CXIMAGE_FORMAT_PNG: e = cximage::EncodePng(m_raster); break;
    default: return Fail("unknown format");
  }
  if (!e.data) return Fail(e.error ? e.error : "encoding failed");
  if (e.size > 0x7FFFFFFF) {
    std::free(e.data);
    return Fail("encoded picture too large");
  }
  buffer = e.data;
  size = static_cast<long>(e.size);
  m_szLastError = "";
  return true;
}

void CxImage::FreeMemory(void* memblock) { std::free(memblock); }

void CxImage::SetJpegQuality(BYTE quality) { m_nJpegQuality = std::clamp<BYTE>(quality, 1, 100); }
