// JPEG through libjpeg-turbo. The library reports errors by longjmp, so every
// call into it happens inside one of the small C-style functions below, each
// holding its own setjmp and no object with a destructor; the C++ callers
// see only a return code. Messages are swallowed, never printed.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "CxImage/codecs_internal.h"

namespace cximage {
namespace {

// Enough for any real progressive picture; more scans only cost time.
constexpr int kMaxScans = 500;
// The picture and the library's working memory together stay within what
// the largest picture needs.
constexpr size_t kMaxDecodeBytes = kMaxPixels * 4;

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
  int truncated;
};

void ErrorExit(j_common_ptr c) { longjmp(reinterpret_cast<ErrorManager*>(c->err)->jump, 1); }
void OutputMessage(j_common_ptr) {}
// A picture whose data ends early is refused at once, rather than decoded to
// the end as grey rows that are then thrown away.
void EmitMessage(j_common_ptr c, int level) {
  if (level >= 0) return;  // trace messages
  ErrorManager* e = reinterpret_cast<ErrorManager*>(c->err);
  ++e->pub.num_warnings;
  if (e->pub.msg_code == JWRN_JPEG_EOF) {
    e->truncated = 1;
    ErrorExit(c);
  }
}

// A progressive picture made of endless tiny scans is refused.
void OnProgress(j_common_ptr c) {
  if (c->is_decompressor && reinterpret_cast<j_decompress_ptr>(c)->input_scan_number > kMaxScans) ErrorExit(c);
}

void InitErrors(ErrorManager* e) {
  jpeg_std_error(&e->pub);
  e->pub.error_exit = ErrorExit;
  e->pub.output_message = OutputMessage;
  e->pub.emit_message = EmitMessage;
  e->truncated = 0;
}

int ReadHeader(jpeg_decompress_struct* d, ErrorManager* e, const uint8_t* data, size_t size) {
  if (setjmp(e->jump)) return 1;
  jpeg_create_decompress(d);
  jpeg_mem_src(d, data, static_cast<unsigned long>(size));
  jpeg_save_markers(d, JPEG_APP0 + 1, 0xFFFF);
  return jpeg_read_header(d, TRUE) == JPEG_HEADER_OK ? 0 : 1;
}

int ReadRows(jpeg_decompress_struct* d, ErrorManager* e, uint8_t* out, size_t stride) {
  if (setjmp(e->jump)) return 1;
  jpeg_start_decompress(d);
  while (d->output_scanline < d->output_height) {
    JSAMPROW row = out + stride * d->output_scanline;
    if (jpeg_read_scanlines(d, &row, 1) != 1) return 1;
  }
  jpeg_finish_decompress(d);
  return 0;
}

int WriteRows(jpeg_compress_struct* c, ErrorManager* e, const uint8_t* pixels, size_t stride, int quality,
              unsigned char** out, unsigned long* outSize) {
  if (setjmp(e->jump)) return 1;
  jpeg_mem_dest(c, out, outSize);
  jpeg_set_defaults(c);
  jpeg_set_quality(c, quality, TRUE);
  jpeg_start_compress(c, TRUE);
  while (c->next_scanline < c->image_height) {
    JSAMPROW row = const_cast<uint8_t*>(pixels + stride * c->next_scanline);
    jpeg_write_scanlines(c, &row, 1);
  }
  jpeg_finish_compress(c);
  return 0;
}

int CreateCompressor(jpeg_compress_struct* c, ErrorManager* e) {
  if (setjmp(e->jump)) return 1;
  jpeg_create_compress(c);
  return 0;
}

// Huffman coding spends at least one bit on every block of every component,
// so a file with fewer bits after its header than the picture has blocks is
// cut short, and is refused before the picture is allocated. Arithmetic
// coding has no such floor.
bool ShorterThanItsBlocks(const jpeg_decompress_struct& d) {
  if (d.arith_code) return false;
  uint64_t blocks = 0;
  for (int i = 0; i < d.num_components; ++i)
    blocks += uint64_t{d.comp_info[i].width_in_blocks} * d.comp_info[i].height_in_blocks;
  return uint64_t{d.src->bytes_in_buffer} * 8 < blocks;
}

int OrientationOf(const jpeg_decompress_struct& d) {
  for (jpeg_saved_marker_ptr m = d.marker_list; m; m = m->next) {
    if (m->marker != JPEG_APP0 + 1) continue;
    int orientation = ExifOrientation(m->data, m->data_length);
    if (orientation != 1) return orientation;
  }
  return 1;
}

// CMYK as decoded in place (four bytes a pixel) to 0xFFRRGGBB. Pictures
// from the usual publishing tools store the inks inverted.
void CmykToArgb(std::vector<uint32_t>& pixels, bool inverted) {
  for (uint32_t& p : pixels) {
    const uint8_t* k = reinterpret_cast<const uint8_t*>(&p);
    uint32_t c = k[0], m = k[1], y = k[2], black = k[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, black = 255 - black;
    p = 0xFF000000u | (c * black + 127) / 255 << 16 | (m * black + 127) / 255 << 8 | (y * black + 127) / 255;
  }
}

}  // namespace

const char* DecodeJpeg(const uint8_t* data, size_t size, Raster& out) {
  jpeg_decompress_struct d{};
  ErrorManager e{};
  InitErrors(&e);
  d.err = &e.pub;
  const char* why = nullptr;
  if (ReadHeader(&d, &e, data, size) != 0) {
    why = e.truncated ? "truncated data" : "not a valid JPEG picture";
  } else if (!SizeAllowed(d.image_width, d.image_height)) {
    why = "picture too large or empty";
  } else if (ShorterThanItsBlocks(d)) {
    why = "truncated data";
  } else {
    bool grey = d.jpeg_color_space == JCS_GRAYSCALE;
    bool cmyk = d.jpeg_color_space == JCS_CMYK || d.jpeg_color_space == JCS_YCCK;
    d.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    // Read now: finishing the decompression frees the saved markers.
    int orientation = OrientationOf(d);
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnProgress;
    d.progress = &progress;
    int width = static_cast<int>(d.image_width), height = static_cast<int>(d.image_height);
    if (!Allocate(out, width, height, grey ? 8 : 24)) {
      why = "out of memory";
    } else {
      // Zero would mean no limit at all.
      size_t rows = static_cast<size_t>(width) * height * (grey ? 1 : 4);
      d.mem->max_memory_to_use = static_cast<long>(std::max<size_t>(kMaxDecodeBytes - rows, 1));
      uint8_t* bits = grey ? out.indexes.data() : reinterpret_cast<uint8_t*>(out.argb.data());
      size_t stride = static_cast<size_t>(width) * (grey ? 1 : 4);
      if (ReadRows(&d, &e, bits, stride) != 0 || e.truncated || d.output_width != d.image_width) {
        why = e.truncated ? "truncated data" : "not a valid JPEG picture";
      } else if (grey) {
        for (int i = 0; i < 256; ++i) out.palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
      } else if (cmyk) {
        CmykToArgb(out.argb, d.saw_Adobe_marker);
      }
      if (!why) ApplyOrientation(out, orientation);
    }
  }
  jpeg_destroy_decompress(&d);
  if (why) out = Raster{};
  return why;
}

Encoded EncodeJpeg(const Raster& image, int quality) {
  Encoded result;
  std::vector<uint8_t> grey;
  const uint8_t* pixels = reinterpret_cast<const uint8_t*>(image.argb.data());
  size_t stride = static_cast<size_t>(image.width) * 4;
  if (image.Indexed()) {
    if (!IsGreyPalette(image)) {
      result.error = "JPEG needs 24 bits or a grey palette";
      return result;
    }
    grey.resize(image.indexes.size());
    for (size_t i = 0; i < grey.size(); ++i) grey[i] = image.palette[image.indexes[i]].rgbRed;
    pixels = grey.data();
    stride = static_cast<size_t>(image.width);
  }
  jpeg_compress_struct c{};
  ErrorManager e{};
  InitErrors(&e);
  c.err = &e.pub;
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  int failed = CreateCompressor(&c, &e);
  if (!failed) {
    c.image_width = static_cast<JDIMENSION>(image.width);
    c.image_height = static_cast<JDIMENSION>(image.height);
    c.input_components = image.Indexed() ? 1 : 4;
    c.in_color_space = image.Indexed() ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    failed = WriteRows(&c, &e, pixels, stride, quality, &out, &outSize);
  }
  jpeg_destroy_compress(&c);
  if (failed) {
    std::free(out);
    result.error = "JPEG encoding failed";
    return result;
  }
  result.data = out;
  result.size = outSize;
  return result;
}

}  // namespace cximage
