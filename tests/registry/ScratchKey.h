#pragma once
// A fixture with a registry object pointed at the test's own scratch key under HKEY_CURRENT_USER
// ("Software\QTSysCheckTests\<suite>.<test>"), which is removed before and after the test.
#include <gtest/gtest.h>

#include <string>

#include "RawRegistry.h"

namespace regtest {

class ScratchKey : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::string("Software\\QTSysCheckTests\\") + info->test_suite_name() + "." +
               info->name();
        DeleteTree(HKEY_CURRENT_USER, path);
    }
    void TearDown() override {
        DeleteTree(HKEY_CURRENT_USER, path);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QTSysCheckTests");  // only once it is empty
    }

    // A new object set to the scratch key and the given value name.
    cRegistry At(const std::string& valueName = "") const {
        cRegistry reg;
        reg.ClassKey(RegistryRoot::CurrentUser);
        reg.SectionKey(path);
        reg.ValueKey(valueName);
        return reg;
    }

    std::string path;
};

// The RegistryError that `call` raises; a test failure when it raises none.
template <class Call>
RegistryError ErrorOf(Call call) {
    try {
        call();
    } catch (const RegistryError& error) {
        return error;
    }
    ADD_FAILURE() << "no RegistryError was raised";
    return RegistryError(0, "", "");
}

}  // namespace regtest
