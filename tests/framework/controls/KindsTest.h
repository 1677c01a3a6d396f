// The fixture of the control kind tests: the kinds form built from its description and shown,
// freed after each test.
#pragma once

#include <gtest/gtest.h>

#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/framework/controls/KindsForm.h"

namespace bus::test {

class ControlKinds : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    EnsureApplication();
    RegisterKindsClasses();
  }
  void SetUp() override {
    form_ = Application->CreateForm<TfrmKinds>(kKindsDescription);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
    ASSERT_TRUE(PumpPending());
    form_->Events.clear();
  }
  void TearDown() override {
    if (form_) form_->Free();
    PumpPending();
  }

  template <class T>
  T& Get(const std::string& name) const {
    return form_->Get<T>(name);
  }
  std::vector<std::string>& Events() { return form_->Events; }

  TfrmKinds* form_ = nullptr;
};

}  // namespace bus::test
