// The host's photo pipeline: a picture fetched from a web address and
// decoded into an image object, and an image object encoded as JPEG. Both
// run on the caller's thread and block it until they finish.
#pragma once

#include "CxImage/cximage.h"
#include "frame/nbui_export.h"

// Fetches the picture at `lpszURL` (http or https, ending in "jpg" or "bmp"
// in any case) and decodes it. Returns a new image object the caller deletes,
// or null on failure. A picture that cannot be decoded still comes back, as
// an invalid image. Unless `nQuiet` is nonzero a failure is shown to the user
// in a message box naming its stage; an unsupported ending fails silently and
// without touching the network. The wait cursor shows while it runs.
NBUI_API CxImage* NBDownloadURLImage(const char* lpszURL, int nQuiet);

// Encodes `image` as JPEG into a buffer allocated by the image library, which
// the caller releases with CxImage::FreeMemory. A palette image the encoder
// refuses is raised to 24 bits (changing the caller's image) and tried again.
// Returns 1 on success, 0 on failure (buffer null, size 0).
NBUI_API int NbEncodeJPEG(CxImage* image, unsigned char*& buffer, long& size);
