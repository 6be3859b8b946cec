#include "ZuGUIElements/web/TrustedAddress.h"

#include <uriparser/Uri.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace ZuGUI
{
namespace
{
// An http or https address reduced to what the check compares, normalised: scheme and host in
// lower case, the port given or the scheme's default, the path with its dot segments resolved
// ("/" for none).
struct WebLocation
{
    std::string scheme;
    std::string host;
    unsigned port = 0;
    std::string path;
};

struct TrustState
{
    TrustedAddresses trusted;
    // The pages that parse, in their order.
    std::vector<WebLocation> pages;
};

std::string Text(const UriTextRangeA& range)
{
    return range.first ? std::string(range.first, range.afterLast) : std::string();
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool BrowsersReadItAlike(const char* address)
{
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(address); *c; ++c)
    {
        if (*c <= 0x20 || *c >= 0x7F || *c == '\\')
            return false;
    }
    return true;
}

// Owns a parsed URI.
class ParsedUri
{
public:
    explicit ParsedUri(const char* address)
    {
        const char* errorPosition = nullptr;
        m_parsed = uriParseSingleUriA(&m_uri, address, &errorPosition) == URI_SUCCESS;
    }
    ~ParsedUri()
    {
        if (m_parsed)
            uriFreeUriMembersA(&m_uri);
    }
    ParsedUri(const ParsedUri&) = delete;
    ParsedUri& operator=(const ParsedUri&) = delete;

    bool Parsed() const { return m_parsed; }
    // Scheme and host in lower case, escapes of unreserved characters decoded, dot segments
    // of the path resolved.
    bool Normalize() { return uriNormalizeSyntaxA(&m_uri) == URI_SUCCESS; }
    const UriUriA& Uri() const { return m_uri; }

private:
    UriUriA m_uri{};
    bool m_parsed = false;
};

std::optional<unsigned> PortOf(const std::string& portText, const std::string& scheme)
{
    if (portText.empty())
        return scheme == "https" ? 443u : 80u;
    if (portText.size() > 5)
        return std::nullopt;
    const unsigned long port = std::strtoul(portText.c_str(), nullptr, 10);
    if (port > 65535)
        return std::nullopt;
    return static_cast<unsigned>(port);
}

std::string PathOf(const UriUriA& uri)
{
    std::string path;
    for (const UriPathSegmentA* segment = uri.pathHead; segment; segment = segment->next)
        path += "/" + Text(segment->text);
    return path.empty() ? "/" : path;
}

std::optional<WebLocation> ParseWebLocation(const char* address)
{
    if (!address || !BrowsersReadItAlike(address))
        return std::nullopt;
    ParsedUri parsed(address);
    // Escapes in the host are refused before normalising would decode them.
    if (!parsed.Parsed() || Text(parsed.Uri().hostText).find('%') != std::string::npos ||
        !parsed.Normalize())
        return std::nullopt;
    const UriUriA& uri = parsed.Uri();
    WebLocation location;
    location.scheme = Lower(Text(uri.scheme));
    location.host = Lower(Text(uri.hostText));
    if ((location.scheme != "http" && location.scheme != "https") || location.host.empty() ||
        uri.userInfo.first)
        return std::nullopt;
    const std::optional<unsigned> port = PortOf(Text(uri.portText), location.scheme);
    if (!port)
        return std::nullopt;
    location.port = *port;
    location.path = PathOf(uri);
    return location;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsBelowPage(const WebLocation& location, const WebLocation& page)
{
    return location.scheme == page.scheme && location.host == page.host &&
           location.port == page.port && location.path.compare(0, page.path.size(), page.path) == 0;
}

TrustState MakeState(const TrustedAddresses& trusted)
{
    TrustState state{trusted, {}};
    for (const std::string& page : trusted.pagePrefixes)
    {
        if (std::optional<WebLocation> location = ParseWebLocation(page.c_str()))
            state.pages.push_back(*location);
    }
    return state;
}

TrustState& State()
{
    static TrustState state =
        MakeState({{"https://answers.example.com/game/", "https://login.portal.example/signin",
                    "https://fans.example.org/"},
                   "portal.example"});
    return state;
}
} // namespace

void SetTrustedAddresses(const TrustedAddresses& trusted)
{
    State() = MakeState(trusted);
}

const TrustedAddresses& GetTrustedAddresses()
{
    return State().trusted;
}

bool IsTrustedAddress(const char* address)
{
    if (!address)
        return false;
    if (std::strncmp(address, "about:", 6) == 0)
        return true;
    const std::optional<WebLocation> location = ParseWebLocation(address);
    if (!location)
        return false;
    const TrustState& state = State();
    if (std::any_of(state.pages.begin(), state.pages.end(),
                    [&](const WebLocation& page) { return IsBelowPage(*location, page); }))
        return true;
    const std::string portal = Lower(state.trusted.portalDomain);
    return !portal.empty() && EndsWith(location->host, "." + portal);
}
} // namespace ZuGUI
