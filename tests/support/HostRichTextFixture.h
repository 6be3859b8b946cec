// The rich text fixture (support/text/RichTextFixture.h) with the test view's client the
// module's game client (HostRichTextClient): for the tests of what reaches the host when the
// engine asks for item colours and pictures, counts items and sends presses.
#pragma once

#include "support/HostTextView.h"
#include "support/text/RichTextFixture.h"

namespace ZuTest
{
class HostRichTextTest : public RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        view.client = &hostClient;
        ZuGUI::HostRichTextClient::ForgetPictureProxyId();
    }

    ZuGUI::HostRichTextClient hostClient{view};
    TestPictureSource pictures;
};
} // namespace ZuTest
