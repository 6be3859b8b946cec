// Shuts down the CEGUI that the tests booted after the last test, so that leaks are reported
// against a clean exit.
#include "support/text/TextCegui.h"

#include <gtest/gtest.h>

namespace
{
class TextCeguiEnvironment : public ::testing::Environment
{
public:
    void TearDown() override { ZuTest::ShutdownTextCegui(); }
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new TextCeguiEnvironment);
} // namespace
