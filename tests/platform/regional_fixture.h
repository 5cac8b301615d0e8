// Tests that choose a locale for the regional settings and leave them as
// they found them: no locale of their own and no overrides.
#pragma once

#include <gtest/gtest.h>

#include "nbp/regional.h"

class RegionalSettingsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    nbp::regional::SetOverrides({});
    nbp::regional::SetLocaleForTest("");
  }
  static void Use(const char* locale) {
    nbp::regional::SetOverrides({});
    nbp::regional::SetLocaleForTest(locale);
  }
};
