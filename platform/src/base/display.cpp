#include "nbp/display.h"

namespace nbp::display {
namespace {
int g_logPixels = 96;
int g_screenWidth = 1920;
int g_screenHeight = 1080;
}  // namespace

int LogPixels() { return g_logPixels; }
void SetLogPixels(int dpi) {
  if (dpi > 0) g_logPixels = dpi;
}
int ScreenWidth() { return g_screenWidth; }
int ScreenHeight() { return g_screenHeight; }
void SetScreenSize(int width, int height) {
  if (width > 0 && height > 0) {
    g_screenWidth = width;
    g_screenHeight = height;
  }
}

}  // namespace nbp::display
