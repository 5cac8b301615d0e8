// JPEG encoding with one retry for palette images.
#include "frame/image_download.h"

int NbEncodeJPEG(CxImage* image, unsigned char*& buffer, long& size) {
  buffer = nullptr;
  size = 0;
  if (!image) return 0;
  if (image->Encode(buffer, size, CXIMAGE_FORMAT_JPG)) return 1;
  // Colour palette images are refused by the encoder; deeper images failing
  // would fail again.
  if (image->GetBpp() >= 16) return 0;
  if (!image->IncreaseBpp(24)) return 0;
  return image->Encode(buffer, size, CXIMAGE_FORMAT_JPG) ? 1 : 0;
}
