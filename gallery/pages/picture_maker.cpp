#include "pages/picture_maker.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Rgb {
  int r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return Rgb{static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
             static_cast<int>(a.b + (b.b - a.b) * t)};
}

// Fills the image pixel by pixel; the painter gives the color of (x, y).
CxImage Paint(int width, int height, const std::function<Rgb(int, int)>& painter) {
  CxImage image;
  image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgb c = painter(x, y);
      image.SetPixelColor(x, y, RGBQUAD{static_cast<BYTE>(c.b), static_cast<BYTE>(c.g), static_cast<BYTE>(c.r), 255});
    }
  }
  return image;
}

// Inside an ellipse centred at (cx, cy) with half-axes (ax, ay).
bool InEllipse(double x, double y, double cx, double cy, double ax, double ay) {
  double dx = (x - cx) / ax, dy = (y - cy) / ay;
  return dx * dx + dy * dy <= 1.0;
}

const Rgb kSkins[] = {{241, 200, 170}, {214, 160, 120}, {160, 110, 80}, {110, 72, 50}};
const Rgb kHair[] = {{60, 40, 25}, {200, 160, 90}, {25, 25, 30}, {150, 70, 40}};
const Rgb kShirts[] = {{40, 90, 160}, {170, 50, 60}, {50, 130, 90}, {120, 90, 160}};
const Rgb kBackdrops[] = {{200, 220, 240}, {245, 225, 200}, {215, 235, 215}, {235, 215, 235}};

// A head and shoulders over a soft backdrop, 120 x 150.
CxImage Portrait(int n) {
  Rgb skin = kSkins[n % 4], hair = kHair[(n + 1) % 4], shirt = kShirts[(n + 2) % 4], back = kBackdrops[n % 4];
  Rgb backLow = Mix(back, Rgb{90, 90, 110}, 0.45);
  return Paint(120, 150, [=](int x, int y) {
    if (InEllipse(x, y, 60, 165, 56, 52)) return Mix(shirt, Rgb{0, 0, 0}, (y - 113) / 120.0);
    if (InEllipse(x, y, 60, 112, 12, 18)) return Mix(skin, Rgb{0, 0, 0}, 0.15);  // neck
    bool head = InEllipse(x, y, 60, 70, 27, 34);
    if (InEllipse(x, y, 60, 58, 31, 30) && (!head || y < 48)) return hair;
    if (head) {
      if (InEllipse(x, y, 49, 68, 3.5, 2.5) || InEllipse(x, y, 71, 68, 3.5, 2.5)) return Rgb{40, 40, 50};
      if (InEllipse(x, y, 60, 88, 8, 2.5) && y >= 88) return Rgb{170, 70, 70};  // smile
      return Mix(skin, Rgb{255, 255, 255}, (60 - std::abs(x - 60)) / 400.0);
    }
    return Mix(back, backLow, y / 150.0);
  });
}

// Mountains under a sky with a sun, over a lake, 240 x 150.
CxImage Landscape(int n) {
  Rgb skyTop = n % 2 ? Rgb{250, 140, 90} : Rgb{70, 130, 210};
  Rgb skyLow = n % 2 ? Rgb{255, 220, 150} : Rgb{200, 225, 250};
  double sunX = 60 + 50 * (n % 3);
  return Paint(240, 150, [=](int x, int y) {
    double far = 70 + 18 * std::sin(x / 23.0 + n) + 10 * std::sin(x / 9.0);
    double near = 92 + 14 * std::sin(x / 31.0 + 2 * n) + 5 * std::sin(x / 7.0 + n);
    if (y >= 112) {
      // The lake mirrors the sky, darker toward the shore.
      return Mix(Mix(skyLow, skyTop, (y - 112) / 38.0), Rgb{20, 60, 90}, 0.35 + ((x + y) % 9 == 0 ? 0.1 : 0.0));
    }
    if (y >= near) return Mix(Rgb{60, 120, 60}, Rgb{30, 70, 35}, (y - near) / 25.0);
    if (y >= far) return Mix(Rgb{110, 110, 140}, y < far + 6 ? Rgb{245, 245, 250} : Rgb{80, 80, 110}, 0.5);
    if (InEllipse(x, y, sunX, 38, 14, 14)) return Rgb{255, 235, 120};
    return Mix(skyTop, skyLow, y / 80.0);
  });
}

// Petals around a centre on a leafy ground, 128 x 128.
CxImage Flower(int n) {
  Rgb petal = n % 2 ? Rgb{230, 80, 120} : Rgb{250, 200, 60};
  return Paint(128, 128, [=](int x, int y) {
    double dx = x - 64, dy = y - 60;
    double r = std::sqrt(dx * dx + dy * dy), a = std::atan2(dy, dx);
    double edge = 40 + 12 * std::cos(6 * a + n);
    if (r < 12) return Rgb{120, 70, 20};
    if (r < edge) return Mix(petal, Rgb{255, 255, 255}, 1 - r / edge);
    if (x >= 61 && x <= 66 && y > 60) return Rgb{40, 120, 40};  // stem
    return Mix(Rgb{170, 215, 160}, Rgb{60, 120, 70}, y / 128.0);
  });
}

// The picture after a pass through the encoder and the decoder of format.
GalleryPicture Through(CxImage drawn, DWORD format, const char* formatName, CString name, bool portrait) {
  GalleryPicture picture;
  picture.name = name;
  picture.format = formatName;
  picture.portrait = portrait;
  BYTE* buffer = nullptr;
  long size = 0;
  if (drawn.Encode(buffer, size, format)) {
    picture.image = CxImage(buffer, static_cast<DWORD>(size), format);
    picture.bytes = size;
  }
  CxImage::FreeMemory(buffer);
  return picture;
}

std::vector<GalleryPicture> MakePictures() {
  const DWORD formats[] = {CXIMAGE_FORMAT_JPG, CXIMAGE_FORMAT_PNG, CXIMAGE_FORMAT_BMP};
  const char* names[] = {"JPEG", "PNG", "BMP"};
  std::vector<GalleryPicture> out;
  int turn = 0;
  auto add = [&](CxImage drawn, const char* kind, int n, bool portrait) {
    CString name;
    name.Format("%s %d", kind, n + 1);
    out.push_back(Through(std::move(drawn), formats[turn % 3], names[turn % 3], name, portrait));
    ++turn;
  };
  for (int n = 0; n < 6; ++n) add(Portrait(n), "Portrait", n, true);
  for (int n = 0; n < 4; ++n) add(Landscape(n), "Landscape", n, false);
  for (int n = 0; n < 2; ++n) add(Flower(n), "Flower", n, false);
  return out;
}

}  // namespace

std::vector<GalleryPicture>& GalleryPictures() {
  static std::vector<GalleryPicture> pictures = MakePictures();
  return pictures;
}

CxImage* ContactPortrait(int record) {
  static std::vector<CxImage*> portraits = [] {
    std::vector<CxImage*> out;
    for (GalleryPicture& p : GalleryPictures()) {
      if (p.portrait && p.image.IsValid()) out.push_back(&p.image);
    }
    return out;
  }();
  if (portraits.empty() || record < 0) return nullptr;
  return portraits[static_cast<size_t>(record) % portraits.size()];
}
