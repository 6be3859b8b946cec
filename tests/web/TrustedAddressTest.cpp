#include "ZuGUIElements/web/TrustedAddress.h"

#include <gtest/gtest.h>

namespace
{
// The addresses of these tests, set for each and the defaults put back afterwards.
class TrustedAddressTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_defaults = ZuGUI::GetTrustedAddresses();
        ZuGUI::SetTrustedAddresses({{"http://answers.example.com/game", "https://fans.example.org",
                                     "https://login.example.net:8443/portal/"},
                                    "portal.example"});
    }
    void TearDown() override { ZuGUI::SetTrustedAddresses(m_defaults); }

    ZuGUI::TrustedAddresses m_defaults;
};

TEST_F(TrustedAddressTest, TrustsAboutPagesTrustedPagesAndThePortalsHosts)
{
    const char* const trusted[] = {
        "about:blank",
        "about:",
        "http://www.portal.example/",
        "https://shop.eu.portal.example/cart?item=3#top",
        "http://WWW.Portal.Example:8080/news",
        "http://answers.example.com/game",
        "http://answers.example.com/game/faq?q=1",
        "http://answers.example.com:80/game/",
        "HTTP://ANSWERS.EXAMPLE.COM/game/x",
        "https://fans.example.org",
        "https://fans.example.org/",
        "https://fans.example.org/forum/thread?id=9",
        "https://login.example.net:8443/portal/signin",
        "https://login.example.net:8443/portal/./signin",
    };
    for (const char* address : trusted)
        EXPECT_TRUE(ZuGUI::IsTrustedAddress(address)) << address;
}

TEST_F(TrustedAddressTest, RefusesEveryAddressWhoseRealHostIsNotTrusted)
{
    const char* const refused[] = {
        // The portal's domain elsewhere than at the end of the host.
        "http://www.portal.example.evil.net/",
        "http://evil.net?.portal.example",
        "http://evil.net/.portal.example",
        "http://evil.net#.portal.example",
        "http://www.portal.example@evil.net/",
        "http://evilportal.example/",
        "http://portal.example/",
        "http://www.portal.example./",
        // A trusted page's text at the start of another host.
        "https://fans.example.org@evil.com/",
        "https://fans.example.org.evil.com/",
        "https://fans.example.org:444/",
        "http://fans.example.org/",
        "http://answers.example.com/gamex/../../admin",
        "http://answers.example.com/other",
        "https://answers.example.com/game",
        "https://login.example.net/portal/",
        "https://login.example.net:8443/portal/../admin",
        // User names, escapes and characters that browsers read differently from the parser.
        "http://user@www.portal.example/",
        "http://www%2Eportal.example/",
        "http://evil.net%2F.portal.example/",
        "http://evil.net\\.portal.example/",
        "http://evil.net\\@www.portal.example/",
        "http://www.portal.example /",
        "http://www.portal.example/\tx",
        "http://www.portal.example/\n",
        "http://www.p\xC3\xB6rtal.example/",
        "http://www.portal.example:99999/",
        "http://www.portal.example:123456789012/",
        // Other schemes, no host, no address.
        "javascript://www.portal.example/%0aalert(1)",
        "file://www.portal.example/etc/passwd",
        "ftp://www.portal.example/",
        "www.portal.example/",
        "//www.portal.example/",
        "http:///www.portal.example",
        "http://[::1]/",
        "About:blank",
        " about:blank",
        "",
        nullptr,
    };
    for (const char* address : refused)
        EXPECT_FALSE(ZuGUI::IsTrustedAddress(address)) << (address ? address : "null");
}

TEST_F(TrustedAddressTest, PagesThatDoNotParseAndAnEmptyDomainTrustNothing)
{
    ZuGUI::SetTrustedAddresses({{"fans.example.org", "ftp://files.example.org/"}, ""});
    EXPECT_FALSE(ZuGUI::IsTrustedAddress("http://fans.example.org/"));
    EXPECT_FALSE(ZuGUI::IsTrustedAddress("ftp://files.example.org/"));
    EXPECT_FALSE(ZuGUI::IsTrustedAddress("http://a.example/"));
    EXPECT_TRUE(ZuGUI::IsTrustedAddress("about:blank"));
    EXPECT_EQ("fans.example.org", ZuGUI::GetTrustedAddresses().pagePrefixes[0]);
}
} // namespace
