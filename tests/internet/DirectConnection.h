#pragma once
// For a whole test program: its fetches go straight to the servers, whatever an earlier run that
// was cut short left in the prefix's Internet settings (Wine may have saved its registry while a
// proxy test had one set).
#include <gtest/gtest.h>

#include <optional>

#include "TestProxy.h"

namespace nettest {

class DirectConnection : public ::testing::Environment {
public:
    void SetUp() override { setting_.emplace(std::nullopt); }
    void TearDown() override { setting_.reset(); }

private:
    std::optional<ScopedProxySetting> setting_;
};

}  // namespace nettest
