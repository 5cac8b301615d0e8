// Helpers for tests that start the library afresh: environment variables
// set for one test, a settings file of the test's own, and a fixture that
// detaches the library, lets the test attach it as it likes, and leaves it
// attached once again, as it was after loading.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "frame/nbui_dll.h"

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_.c_str(), old_->c_str(), 1);
    else unsetenv(name_.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// A settings file in a folder of its own, removed afterwards.
class TempSettings {
 public:
  TempSettings() {
    char dir[] = "/tmp/nbui-frame-XXXXXX";
    if (mkdtemp(dir)) dir_ = dir;
    path_ = dir_ + "/settings.ini";
  }
  ~TempSettings() {
    std::remove(path_.c_str());
    rmdir(dir_.c_str());
  }
  void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
  const std::string& path() const { return path_; }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_, path_;
};

class DetachedLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    instance_ = NbUIGetInstanceHandle();
    ASSERT_NE(instance_, nullptr) << "the library was not attached when it was loaded";
    DetachAll();
  }
  void TearDown() override {
    DetachAll();
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
