// A fixture for tests that start the library afresh: it detaches the
// library, lets the test attach it as it likes, and leaves it attached once
// again, as it was after loading.
#pragma once

#include <gtest/gtest.h>

#include "frame/nbui_dll.h"
#include "settings_fixture.h"

class DetachedLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    instance_ = NbUIGetInstanceHandle();
    ASSERT_NE(instance_, nullptr) << "the library was not attached when it was loaded";
    DetachAll();
  }
  // Attached again as after loading: in the environment the process had then,
  // not in the test's (whose settings may choose another language).
  void TearDown() override {
    DetachAll();
    settingsFile_.Restore();
    langRoot_.Restore();
    language_.Restore();
    NbUIDllMain(instance_, DLL_PROCESS_ATTACH, nullptr);
  }
  static void DetachAll() {
    while (NbUIGetAttachCount() > 0) NbUIDllMain(NbUIGetInstanceHandle(), DLL_PROCESS_DETACH, nullptr);
  }
  BOOL Attach() { return NbUIDllMain(instance_, DLL_PROCESS_ATTACH, nullptr); }
  BOOL Detach() { return NbUIDllMain(instance_, DLL_PROCESS_DETACH, nullptr); }

  HINSTANCE instance_ = nullptr;
  TempSettings settings_;
  ScopedEnv settingsFile_{"NBUI_SETTINGS_FILE", settings_.path().c_str()};
  ScopedEnv langRoot_{"NB_LANG_DIR", NB_TEST_LANG_ROOT};
  ScopedEnv language_{"LANGUAGE", nullptr};
};
