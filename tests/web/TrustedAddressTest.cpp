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
        ZuGUI::SetTrustedAddresses(
            {{"http://answers.example.com/game", "https://fans.example.org",
              "https://login.example.net:8443/portal/", "https://qa.example.net/ask"},
             "portal.example"});
    }
    void TearDown() override { ZuGUI::SetTrustedAddresses(m_defaults); }

    ZuGUI::TrustedAddresses m_defaults;
};

TEST_F(TrustedAddressTest, TrustsOnlyTheRealHostAndPathThatABrowserWouldUse)
{
    const struct
    {
        const char* address;
        bool trusted;
    } cases[] = {
        // The blank page, trusted pages and the portal's hosts.
        {"about:blank", true},
        {"About:BLANK", true},
        {"http://www.portal.example/", true},
        {"https://shop.eu.portal.example/cart?item=3#top", true},
        {"http://WWW.Portal.Example:8080/news", true},
        {"http://answers.example.com/game", true},
        {"http://answers.example.com/game/faq?q=1", true},
        {"http://answers.example.com:80/game/", true},
        {"HTTP://ANSWERS.EXAMPLE.COM/game/x", true},
        {"https://fans.example.org", true},
        {"https://fans.example.org/", true},
        {"https://fans.example.org/forum/thread?id=9", true},
        {"https://login.example.net:8443/portal/signin", true},
        {"https://login.example.net:8443/portal/./signin", true},
        // A page's path covers what lies below it on a segment boundary.
        {"https://qa.example.net/ask", true},
        {"https://qa.example.net/ask/", true},
        {"https://qa.example.net/ask/x", true},
        {"https://qa.example.net/ask?q=1", true},
        {"https://qa.example.net/askevil", false},
        {"https://qa.example.net/ask.evil", false},
        {"https://login.example.net:8443/portal", false},
        // What a browser percent-encodes in the path, query or fragment is judged encoded.
        {"https://fans.example.org/forum?q=two words", true},
        {"http://answers.example.com/game/caf\xC3\xA9", true},
        {"https://fans.example.org/forum#a \"b\" <c>", true},
        {"http://answers.example.com/game\xC3\xA9", false},
        // Only the blank page of "about:".
        {"about:", false},
        {"about:<script>alert(1)</script>", false},
        {"about:blank@evil.net", false},
        {"about:blank#x", false},
        {" about:blank", false},
        // The portal's domain elsewhere than at the end of the host.
        {"http://www.portal.example.evil.net/", false},
        {"http://evil.net?.portal.example", false},
        {"http://evil.net/.portal.example", false},
        {"http://evil.net#.portal.example", false},
        {"http://www.portal.example@evil.net/", false},
        {"http://evilportal.example/", false},
        {"http://portal.example/", false},
        // A trusted page's text at the start of another host, or another place on its host.
        {"https://fans.example.org@evil.com/", false},
        {"https://fans.example.org.evil.com/", false},
        {"https://fans.example.org:444/", false},
        {"http://fans.example.org/", false},
        {"http://answers.example.com/gamex/../../admin", false},
        {"http://answers.example.com/other", false},
        {"https://answers.example.com/game", false},
        {"https://login.example.net/portal/", false},
        {"https://login.example.net:8443/portal/../admin", false},
        // Escaped dots, slashes and backslashes in the path.
        {"http://answers.example.com/game/..%2fadmin", false},
        {"http://answers.example.com/game/%2e%2e/admin", false},
        {"http://answers.example.com/game/%2E%2E/admin", false},
        {"http://answers.example.com/game/..%5cadmin", false},
        {"http://answers.example.com/game/..%2Fadmin", false},
        // Hosts that are IP addresses in any form, and empty labels.
        {"http://127.0.0.1/", false},
        {"http://[::1]/", false},
        {"http://[v1.www.portal.example]/", false},
        {"http://2130706433/", false},
        {"http://0x7f.1/", false},
        {"http://www.portal.0x7f/", false},
        {"http://.portal.example/", false},
        {"http://www..portal.example/", false},
        {"http://www.portal.example./", false},
        // User names, escapes and characters that browsers read differently from the parser.
        {"http://user@www.portal.example/", false},
        {"http://www%2Eportal.example/", false},
        {"http://evil.net%2F.portal.example/", false},
        {"http://evil.net\\.portal.example/", false},
        {"http://evil.net\\@www.portal.example/", false},
        {"http://answers.example.com/game\\..\\admin", false},
        {"http://www.portal.example /", false},
        {"http://www.portal.example/\tx", false},
        {"http://www.portal.example/\n", false},
        {"http://www.portal.example/?q=\r", false},
        {"http://www.p\xC3\xB6rtal.example/", false},
        {"http://www.portal.example:99999/", false},
        {"http://www.portal.example:123456789012/", false},
        // Other schemes, no host, no address.
        {"javascript://www.portal.example/%0aalert(1)", false},
        {"file://www.portal.example/etc/passwd", false},
        {"ftp://www.portal.example/", false},
        {"www.portal.example/", false},
        {"//www.portal.example/", false},
        {"http:///www.portal.example", false},
        {"http:www.portal.example", false},
        {"", false},
    };
    for (const auto& check : cases)
        EXPECT_EQ(check.trusted, ZuGUI::IsTrustedAddress(check.address)) << check.address;
    EXPECT_FALSE(ZuGUI::IsTrustedAddress(nullptr));
}

TEST_F(TrustedAddressTest, AWebLinkWithoutASchemeIsTheAddressABrowserWouldOpen)
{
    const struct
    {
        const char* target;
        const char* address;
    } cases[] = {
        {"www.portal.example/news", "http://www.portal.example/news"},
        {"https://fans.example.org/", "https://fans.example.org/"},
        {"About:blank", "About:blank"},
        {"javascript:alert(1)", "javascript:alert(1)"},
        {"svn+ssh.2-x:repo", "svn+ssh.2-x:repo"},
        {"2fa:x", "http://2fa:x"},
        {"/news", "http:///news"},
        {"", "http://"},
    };
    for (const auto& check : cases)
        EXPECT_EQ(check.address, ZuGUI::WebLinkAddress(check.target)) << check.target;
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
