// Environment variables set for one test, a settings file of the test's
// own, and a fixture that points the settings reader at that file.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() { Restore(); }
  // Puts the variable back as it was before; the destructor then does it again, harmlessly.
  void Restore() {
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

// Each test reads and writes a settings file of its own.
class SettingsFileTest : public ::testing::Test {
 protected:
  std::string FileText() const {
    std::ifstream in(settings_.path(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  TempSettings settings_;
  ScopedEnv env_{"NBUI_SETTINGS_FILE", settings_.path().c_str()};
};
