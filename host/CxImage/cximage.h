// The image library: pictures decoded from memory (JPEG, PNG, Windows BMP),
// resampled, cropped, drawn into a device context and encoded back to
// memory.
//
// Pictures come from synced records and web addresses, so decoding trusts
// nothing: a picture larger than 64 megapixels (64,000,000 pixels), with a
// palette index out of range, a compressed run past its row, bad bit-field
// masks, offsets past the end or truncated data gives an invalid image
// (IsValid() false, GetLastError() says why), decided before anything the
// size of the picture is allocated. Nothing is ever printed.
//
// Depths: 1, 4 and 8 bits per pixel are palette images; 24 is opaque color;
// 32 is color with an alpha channel (not premultiplied). Decoding keeps the
// depth of the file where it can: a grey JPEG or grey PNG becomes an 8-bit
// image with a grey palette, a 16-bit BMP becomes 24-bit, a 32-bit BMP whose
// fourth bytes are all zero becomes 24-bit, a PNG with transparency 32-bit.
//
// Memory: Encode allocates its buffer inside the library; the caller releases
// it with CxImage::FreeMemory and never with delete or another allocator.
#pragma once

#include "CxImage/raster.h"
#include "win/gdi.h"
#include "win/types.h"

#ifndef NBHOST_API
#define NBHOST_API __attribute__((visibility("default")))
#endif

// Format codes for decoding and encoding.
#define CXIMAGE_FORMAT_UNKNOWN 0  // decoding only: told by the picture's first bytes
#define CXIMAGE_FORMAT_BMP 1
#define CXIMAGE_FORMAT_JPG 2
#define CXIMAGE_FORMAT_PNG 3

// Resampling modes.
#define CXIMAGE_RESAMPLE_NEAREST 0  // nearest pixel; palette images stay palette images
#define CXIMAGE_RESAMPLE_SMOOTH 1   // area average when shrinking, bilinear when enlarging

class NBHOST_API CxImage {
 public:
  CxImage() = default;
  // Decodes `size` bytes of `buffer` in format `imagetype`; the buffer is
  // only read and may be released afterwards. A failure leaves an invalid
  // image.
  CxImage(BYTE* buffer, DWORD size, DWORD imagetype);
  CxImage(const CxImage& src);
  CxImage& operator=(const CxImage& src);
  CxImage(CxImage&&) noexcept = default;
  CxImage& operator=(CxImage&&) noexcept = default;
  ~CxImage() = default;

  // Replaces the image with the decoded picture; false (and an invalid,
  // empty image) on failure.
  bool Decode(const BYTE* buffer, DWORD size, DWORD imagetype);
  // A new image of the given size and depth (1, 4, 8, 24 or 32), black, with
  // a grey-scale palette for palette depths.
  bool Create(DWORD width, DWORD height, WORD bpp);
  // Empties the image.
  void Destroy();

  bool IsValid() const { return !m_raster.Empty(); }
  DWORD GetWidth() const { return static_cast<DWORD>(m_raster.width); }
  DWORD GetHeight() const { return static_cast<DWORD>(m_raster.height); }
  WORD GetBpp() const { return static_cast<WORD>(m_raster.bpp); }
  // The format the image was decoded from (CXIMAGE_FORMAT_UNKNOWN otherwise).
  DWORD GetType() const { return m_dwType; }
  // Why the last Decode, Create or Encode failed; "" after success.
  const char* GetLastError() const { return m_szLastError; }

  // Palette images: the number of palette entries (2^bpp); 0 otherwise.
  DWORD GetNumColors() const { return static_cast<DWORD>(m_raster.palette.size()); }
  RGBQUAD GetPaletteColor(BYTE index) const;
  bool SetPaletteColor(BYTE index, RGBQUAD color);
  bool AlphaIsValid() const { return m_raster.bpp == 32; }
  // A pixel's color, with its alpha in rgbReserved (255 unless 32 bits);
  // all zero outside the image.
  RGBQUAD GetPixelColor(long x, long y) const;
  BYTE GetPixelIndex(long x, long y) const;
  // Sets a pixel; on a palette image the nearest palette color is used.
  void SetPixelColor(long x, long y, RGBQUAD color);
  void SetPixelIndex(long x, long y, BYTE index);

  // Raises the depth to nbit (4, 8, 24 or 32) keeping every pixel's color:
  // palette indexes are kept up to 8 bits, colors taken from the palette
  // beyond. False for an invalid image or an nbit below the current depth or
  // not one of those values; the same depth is a success that changes nothing.
  bool IncreaseBpp(DWORD nbit);
  // Makes this image a copy of `src` (pixels, palette, alpha, format).
  void Copy(const CxImage& src);

  // Scales to newx x newy (both positive, within the size limit), into iDst
  // when given, else in place. CXIMAGE_RESAMPLE_SMOOTH gives a 24-bit image
  // (32-bit when the source has alpha); CXIMAGE_RESAMPLE_NEAREST keeps the
  // depth. False, changing nothing, for an invalid image, a bad size or an
  // unknown mode.
  bool Resample(long newx, long newy, int mode = CXIMAGE_RESAMPLE_SMOOTH, CxImage* iDst = nullptr);
  // Keeps the pixels of [left, right) x [top, bottom) that lie in the image,
  // into iDst when given, else in place. False when nothing is left.
  bool Crop(long left, long top, long right, long bottom, CxImage* iDst = nullptr);

  // Draws the image stretched to the rectangle (x, y, cx, cy) of the device
  // context (a negative cx or cy means the image's own width or height),
  // filtered as CXIMAGE_RESAMPLE_SMOOTH and blended by its alpha when it has
  // 32 bits. Only the part inside pClipRect (when given) and the context's
  // clip box is computed and painted. Returns 1 when something was drawn or
  // there was nothing to draw, 0 for an invalid image or device context.
  long Draw(HDC hdc, long x = 0, long y = 0, long cx = -1, long cy = -1, RECT* pClipRect = nullptr) const;

  // Encodes to a new buffer in format `imagetype` (BMP, JPEG or PNG). On
  // success `buffer` and `size` describe the bytes, which the caller releases
  // with FreeMemory; on failure buffer is null and size 0. JPEG takes 24 and
  // 32-bit images (the alpha is dropped) and palette images whose colors are
  // all greys (written as a grey JPEG); other palette images are refused, so
  // a caller raises them to 24 bits first.
  bool Encode(BYTE*& buffer, long& size, DWORD imagetype);
  // Releases a buffer from Encode; null is allowed.
  static void FreeMemory(void* memblock);

  // JPEG quality for Encode, 1 to 100 (default 90).
  void SetJpegQuality(BYTE quality);
  BYTE GetJpegQuality() const { return m_nJpegQuality; }

  // The pixels themselves, for code that works on whole images.
  const cximage::Raster& GetRaster() const { return m_raster; }

 private:
  bool Fail(const char* why);

  cximage::Raster m_raster;
  DWORD m_dwType = CXIMAGE_FORMAT_UNKNOWN;
  BYTE m_nJpegQuality = 90;
  const char* m_szLastError = "";
};
