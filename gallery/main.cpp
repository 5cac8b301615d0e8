// nbui-gallery: every control of the library with realistic data. With a
// display it opens a window; without one, or with --snapshot DIR, it writes a
// picture of every page and state into DIR and prints their paths.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "gallery_window.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/desktop.h"
#include "nbp/sdl_desktop.h"
#include "snapshot.h"

namespace {

void Usage() {
  fprintf(stderr,
          "usage: nbui-gallery [--snapshot DIR] [--measure] [--layout] [--picture-date]\n"
          "  --snapshot DIR  write pictures of every page and state into DIR (the default without a display)\n"
          "  --measure       print the time to the first painted frame\n"
          "  --layout        print where the window and its parts are on the screen\n"
          "  --picture-date  set the clock to the date the pictures show (the clock keeps running)\n");
}

// Pictures are taken on sample data made afresh in a folder of their own,
// never on the user's data or settings, which stay as they were.
class PictureDataFolder {
 public:
  PictureDataFolder() {
    char dir[] = "/tmp/nbui-gallery-XXXXXX";
    if (!mkdtemp(dir)) return;
    dir_ = dir;
    setenv("XDG_DATA_HOME", dir, 1);
    if (!std::getenv("NBUI_SETTINGS_FILE")) setenv("NBUI_SETTINGS_FILE", (dir_ + "/settings.ini").c_str(), 1);
  }
  ~PictureDataFolder() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }

 private:
  std::string dir_;
};

double MillisSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Screen positions of the parts a script drives, and where the shown part of
// the window lies in a snapshot picture.
void PrintLayout(CGalleryWindow& window) {
  RECT wr;
  window.GetWindowRect(&wr);
  CRect client;
  window.GetClientRect(&client);
  POINT origin{0, 0};
  window.ClientToScreen(&origin);
  printf("client %ld %ld %d %d\n", static_cast<long>(origin.x), static_cast<long>(origin.y), client.Width(),
         client.Height());
  printf("client-in-picture %ld %ld\n", static_cast<long>(origin.x - wr.left), static_cast<long>(origin.y - wr.top));
  for (int i = 0; i < window.PageCount(); ++i) {
    CRect tab = window.Tabs().TabRect(i);
    POINT c{tab.CenterPoint().x, tab.CenterPoint().y};
    window.Tabs().ClientToScreen(&c);
    printf("tab %d %ld %ld %s\n", i, static_cast<long>(c.x), static_cast<long>(c.y), window.Page(i)->Title());
  }
  for (int i = 0; i < window.PageCount(); ++i) {
    CGalleryPage* page = window.Page(i);
    for (HWND child = GetWindow(page->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(child, &r);
      printf("control %d %d %ld %ld\n", i, GetDlgCtrlID(child), static_cast<long>((r.left + r.right) / 2),
             static_cast<long>((r.top + r.bottom) / 2));
    }
  }
  fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  auto start = std::chrono::steady_clock::now();
  std::string snapshotDir;
  bool measure = false, layout = false, pictureDate = false;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--snapshot") && i + 1 < argc) snapshotDir = argv[++i];
    else if (!strcmp(argv[i], "--measure")) measure = true;
    else if (!strcmp(argv[i], "--layout")) layout = true;
    else if (!strcmp(argv[i], "--picture-date")) pictureDate = true;
    else {
      Usage();
      return 2;
    }
  }
  bool interactive = snapshotDir.empty() && nbp::UseSdlDesktop();
  if (pictureDate) nbp::clock::SetWallTime(kPictureTime);
  CWinApp app("NbUI Gallery");
  if (!interactive) {
    PictureDataFolder data;
    if (snapshotDir.empty()) snapshotDir = "snapshots";
    double firstMs = 0;
    std::vector<std::string> files = WriteSnapshots(snapshotDir, [&](const std::string&) {
      if (firstMs == 0) firstMs = MillisSince(start);
    });
    for (const std::string& f : files) printf("%s\n", f.c_str());
    if (measure) {
      printf("first picture after %.1f ms\n", firstMs);
      printf("snapshots: %zu pictures in %.1f ms\n", files.size(), MillisSince(start));
    }
    return files.empty() ? 1 : 0;
  }
  CGalleryWindow window;
  if (!window.CreateGallery()) {
    fprintf(stderr, "nbui-gallery: cannot create the window\n");
    return 1;
  }
  app.m_pMainWnd = &window;
  window.ShowWindow(SW_SHOW);
  window.UpdateWindow();
  // Waiting once shows the first frame on the display.
  nbp::CurrentDesktop().WaitForInput(0);
  if (measure) {
    printf("first frame after %.1f ms\n", MillisSince(start));
    fflush(stdout);
  }
  if (layout) PrintLayout(window);
  return app.Run();
}
