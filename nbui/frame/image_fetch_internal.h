// The transfer behind NBDownloadURLImage, without the user interface.
#pragma once

#include "CxImage/cximage.h"
#include "win/types.h"

// The image format for an address's last three characters compared without
// case ("jpg" JPEG, "bmp" BMP); 0 for any other ending or a null address.
DWORD NbImageFormatFromAddress(const char* url);

// Fetches `url` and decodes its body in `format`. On failure returns null and
// sets `error` to the message id of the stage: IDS_NB_NO_CONNECTION,
// IDS_NB_BAD_URL or IDS_NB_CORRUPT_IMAGE. A new image that cannot be
// allocated is null with no error.
//
// NBUI_DOWNLOAD_TIMEOUTS="connect_ms,total_ms,low_speed_seconds" in the
// environment replaces the time-outs (10 s to connect, 60 s in all, and an
// abort below 1 KiB/s for 15 s) so that tests can stall cheaply.
CxImage* NbFetchImage(const char* url, DWORD format, UINT& error);
