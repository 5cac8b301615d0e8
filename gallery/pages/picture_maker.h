// The gallery's pictures, drawn here at run time from gradients and shapes
// (portraits, landscapes and flowers) and passed once through the image
// library's encoders and decoders, so that what the pages show are real
// JPEG, PNG and BMP pictures.
#pragma once

#include <vector>

#include "CxImage/cximage.h"
#include "mfc/cstring.h"

struct GalleryPicture {
  CxImage image;    // decoded from `bytes` bytes of `format`
  CString name;     // "Portrait 2", "Landscape 1", ...
  CString format;   // "JPEG", "PNG" or "BMP"
  long bytes = 0;
  bool portrait = false;
};

// Every picture, made on first use; the formats take turns.
std::vector<GalleryPicture>& GalleryPictures();
// The portrait of a contact record (the same record always gets the same one).
CxImage* ContactPortrait(int record);
