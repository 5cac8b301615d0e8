// The category dialogs over a real store in a temporary folder, run
// modally with a script of idle steps that act as the user.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "HostCommon/component_doc.h"
#include "category_world.h"
#include "dialog_driver.h"
#include "mfc/app.h"

// A host view that records the record messages the dialogs send it.
class CRecordingView : public CLumoUIComponentView {
 public:
  using CLumoUIComponentView::CLumoUIComponentView;
  std::vector<std::string> messages;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == 0x2500 || message == 0x2501) {
      messages.push_back(std::to_string(message) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
      return 0;
    }
    return CLumoUIComponentView::WindowProc(message, wParam, lParam);
  }
};

class CategoryDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    settings_.emplace("NBUI_SETTINGS_FILE", (world.Dir() + "/settings.ini").c_str());
    NbThemeReloadCategorySlots();
    world.Open();
    travel = world.Add({"Travel"});
    family = world.Add({"Family"});
    world.AddRecords(travel, 3);
    world.AddRecords(family, 2);
  }
  void TearDown() override {
    nbp::Headless()->ClearRecords();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  const std::vector<nbp::MessageBoxRequest>& Boxes() { return nbp::Headless()->MessageBoxes(); }
  // Queues the steps, one per idle moment of the modal loops.
  static void Steps(std::vector<std::function<void()>> steps) {
    for (auto& step : steps) nbp::Headless()->WhenIdle(std::move(step));
  }
  static std::string Load(UINT id) {
    CString text;
    text.LoadString(id);
    return std::string(text);
  }
  static std::string Format2(UINT id, const char* first, const char* second) {
    CString text;
    AfxFormatString2(text, id, first, second);
    return std::string(text);
  }
  void CreateView() {
    ASSERT_TRUE(view.CreateEx(0, nullptr, "View", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
  }

  CWinApp app{"Categories"};
  CategoryWorld world;
  std::optional<ScopedEnv> settings_;
  CComponentDoc doc;
  CRecordingView view{&doc};
  int travel = 0, family = 0;
};
