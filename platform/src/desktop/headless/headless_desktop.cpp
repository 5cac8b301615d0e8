// The desktop every program starts with: windows paint into memory, and the
// user's answers come from a script.
#include <chrono>
#include <thread>

#include "nbp/clock.h"
#include "nbp/headless.h"
#include "user/window/user_state.h"
#include "user/window/window.h"

namespace nbp {
namespace {
std::unique_ptr<Desktop>& Current() {
  static std::unique_ptr<Desktop> desktop = std::make_unique<HeadlessDesktop>();
  return desktop;
}
}  // namespace

int DefaultMessageBoxButton(UINT type);

Desktop& CurrentDesktop() { return *Current(); }

void SetDesktop(std::unique_ptr<Desktop> desktop) {
  Current() = desktop ? std::move(desktop) : std::make_unique<HeadlessDesktop>();
}

HeadlessDesktop* Headless() { return dynamic_cast<HeadlessDesktop*>(Current().get()); }

void HeadlessDesktop::AnswerMessageBox(int buttonId) {
  boxAnswers_.push_back([buttonId](const MessageBoxRequest&) { return buttonId; });
}

void HeadlessDesktop::AnswerMessageBox(MessageBoxAnswer answer) { boxAnswers_.push_back(std::move(answer)); }

void HeadlessDesktop::WhenIdle(std::function<void()> step) { idleSteps_.push_back(std::move(step)); }

void HeadlessDesktop::ClearRecords() {
  messageBoxes_.clear();
  menus_.clear();
  beeps_.clear();
}

int HeadlessDesktop::AskMessageBox(const MessageBoxRequest& request) {
  messageBoxes_.push_back(request);
  if (boxAnswers_.empty()) return DefaultMessageBoxButton(request.type);
  MessageBoxAnswer answer = std::move(boxAnswers_.front());
  boxAnswers_.pop_front();
  return answer(request);
}

void HeadlessDesktop::Beep(UINT type) { beeps_.push_back(type); }

bool HeadlessDesktop::WaitForInput(uint32_t timeoutMs) {
  if (!idleSteps_.empty()) {
    std::function<void()> step = std::move(idleSteps_.front());
    idleSteps_.pop_front();
    runningStep_ = true;
    step();
    runningStep_ = false;
    return true;
  }
  // With the real clock a pending timer will come due by itself.
  if (timeoutMs != UINT32_MAX && !nbp::clock::IsPinned()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return true;
  }
  return false;
}

bool HeadlessDesktop::GetClipboardText(std::string* text) {
  if (!hasClipboard_ || !text) return false;
  *text = clipboard_;
  return true;
}

bool SaveWindowPng(HWND hwnd, const char* path) {
  user::Window* w = user::FromHandle(hwnd);
  if (!w || !path) return false;
  // Pending paints are done first, so the file shows what a user would see.
  UpdateWindow(hwnd);
  if (!(w = user::FromHandle(hwnd))) return false;
  user::Window* top = user::TopLevelOf(w);
  user::EnsureSurface(top);
  cairo_surface_flush(top->surface);
  if (w == top) return cairo_surface_write_to_png(top->surface, path) == CAIRO_STATUS_SUCCESS;
  POINT o = user::WindowOriginInTop(w);
  int width = std::max(1, static_cast<int>(w->rect.right - w->rect.left));
  int height = std::max(1, static_cast<int>(w->rect.bottom - w->rect.top));
  cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(part);
  cairo_set_source_surface(cr, top->surface, -o.x, -o.y);
  cairo_paint(cr);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(part, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(part);
  return ok;
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
  user::Window* w = user::FromHandle(hwnd);
  if (!w) return CLR_INVALID;
  RECT c;
  GetClientRect(hwnd, &c);
  if (x < 0 || y < 0 || x >= c.right || y >= c.bottom) return CLR_INVALID;
  user::Window* top = user::TopLevelOf(w);
  if (!top->surface) return CLR_INVALID;
  POINT o = user::ClientOriginInTop(w);
  int px = o.x + x, py = o.y + y;
  if (px < 0 || py < 0 || px >= cairo_image_surface_get_width(top->surface) ||
      py >= cairo_image_surface_get_height(top->surface))
    return CLR_INVALID;
  cairo_surface_flush(top->surface);
  const unsigned char* data = cairo_image_surface_get_data(top->surface);
  int stride = cairo_image_surface_get_stride(top->surface);
  uint32_t v = *reinterpret_cast<const uint32_t*>(data + py * stride + px * 4);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

}  // namespace nbp
