// Fuzz target of the trusted-address check: arbitrary bytes (up to the first zero byte) are an
// address. The check must not crash, and every address it trusts other than "about:blank"
// must hold no tab, line break or backslash, and its scheme and authority (up to the first
// "/", "?" or "#" after "//") must parse on their own as an http or https address without a
// user name whose host is a trusted page's host or lies inside the portal's domain, is no IP
// literal and has no empty label; its path holds no escaped dot, slash or backslash.
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

bool HasEmptyLabel(const std::string& host)
{
    return host.empty() || host.front() == '.' || host.back() == '.' ||
           host.find("..") != std::string::npos;
}

void CheckPath(const std::string& address, std::size_t pathStart)
{
    const std::string path =
        Lower(address.data() + pathStart,
              address.data() + std::min(address.find_first_of("?#", pathStart), address.size()));
    for (const char* escape : {"%2e", "%2f", "%5c"})
    {
        if (path.find(escape) != std::string::npos)
            Fail(address, "has an escaped separator in its path");
    }
}

void CheckTrusted(const std::string& address)
{
    if (address.find_first_of("\t\n\r\\") != std::string::npos)
        Fail(address, "has a tab, line break or backslash");
    const std::size_t authority = address.find("://");
    if (authority == std::string::npos)
        Fail(address, "has no authority");
    const std::size_t headEnd =
        std::min(address.find_first_of("/?#", authority + 3), address.size());
    const std::string head = address.substr(0, headEnd);
    UriUriA uri;
    const char* error = nullptr;
    if (uriParseSingleUriA(&uri, head.c_str(), &error) != URI_SUCCESS)
        Fail(address, "does not parse");
    const std::string scheme = Lower(uri.scheme.first, uri.scheme.afterLast);
    const std::string host = Lower(uri.hostText.first, uri.hostText.afterLast);
    const bool hasUser = uri.userInfo.first != nullptr;
    const bool ipLiteral = uri.hostData.ip4 || uri.hostData.ip6 || uri.hostData.ipFuture.first;
    uriFreeUriMembersA(&uri);
    if (scheme != "http" && scheme != "https")
        Fail(address, "is not http(s)");
    if (hasUser)
        Fail(address, "has a user name");
    if (ipLiteral || HasEmptyLabel(host))
        Fail(address, "has an IP literal or an empty label as host");
    const std::string portal = "." + ZuGUI::GetTrustedAddresses().portalDomain;
    static const std::string pageHosts = PageHosts();
    if (!EndsWith(host, portal) && pageHosts.find("/" + host + "/") == std::string::npos)
        Fail(address, "has an untrusted host");
    CheckPath(address, headEnd);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const std::string address(text, size ? strnlen(text, size) : 0);
    if (ZuGUI::IsTrustedAddress(address.c_str()) &&
        Lower(address.data(), address.data() + address.size()) != "about:blank")
        CheckTrusted(address);
    return 0;
}
