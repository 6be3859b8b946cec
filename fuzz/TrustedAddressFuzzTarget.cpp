// Fuzz target of the trusted-address check: arbitrary bytes (up to the first zero byte) are an
// address. The check must not crash, and every address it trusts other than an "about:" page
// must parse on its own as an http or https address whose host is a trusted page's host or
// lies inside the portal's domain.
#include "ZuGUIElements/web/TrustedAddress.h"

#include <uriparser/Uri.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
std::string Lower(const char* first, const char* afterLast)
{
    std::string text = first ? std::string(first, afterLast) : std::string();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The lower-case host of every trusted page, each between "/".
std::string PageHosts()
{
    std::string hosts = "/";
    for (const std::string& page : ZuGUI::GetTrustedAddresses().pagePrefixes)
    {
        const std::size_t start = page.find("://") + 3;
        const std::size_t end = page.find_first_of(":/", start);
        hosts += Lower(page.data() + start, page.data() + std::min(end, page.size())) + "/";
    }
    return hosts;
}

[[noreturn]] void Fail(const std::string& address, const char* why)
{
    std::fprintf(stderr, "trusted address %s: %s\n", why, address.c_str());
    std::abort();
}

void CheckTrusted(const std::string& address)
{
    UriUriA uri;
    const char* error = nullptr;
    if (uriParseSingleUriA(&uri, address.c_str(), &error) != URI_SUCCESS)
        Fail(address, "does not parse");
    const std::string scheme = Lower(uri.scheme.first, uri.scheme.afterLast);
    const std::string host = Lower(uri.hostText.first, uri.hostText.afterLast);
    const bool hasUser = uri.userInfo.first != nullptr;
    uriFreeUriMembersA(&uri);
    if (scheme != "http" && scheme != "https")
        Fail(address, "is not http(s)");
    if (hasUser)
        Fail(address, "has a user name");
    const std::string portal = "." + ZuGUI::GetTrustedAddresses().portalDomain;
    static const std::string pageHosts = PageHosts();
    if (host.empty() ||
        (!EndsWith(host, portal) && pageHosts.find("/" + host + "/") == std::string::npos))
        Fail(address, "has an untrusted host");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const std::string address(text, size ? strnlen(text, size) : 0);
    if (ZuGUI::IsTrustedAddress(address.c_str()) && address.compare(0, 6, "about:") != 0)
        CheckTrusted(address);
    return 0;
}
