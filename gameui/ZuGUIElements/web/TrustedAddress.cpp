#include "ZuGUIElements/web/TrustedAddress.h"

#include <uriparser/Uri.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
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

// ASCII classes, whatever the process's locale says of other bytes.
bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsAsciiHexDigit(unsigned char c)
{
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsSchemeCharacter(unsigned char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

// The length of a leading "scheme:" (RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." )
// ":"), 0 without one.
std::size_t SchemeLength(const std::string& address)
{
    if (address.empty() || !IsAsciiLetter(static_cast<unsigned char>(address[0])))
        return 0;
    const auto end =
        std::find_if_not(address.begin() + 1, address.end(),
                         [](char c) { return IsSchemeCharacter(static_cast<unsigned char>(c)); });
    return end != address.end() && *end == ':' ? static_cast<std::size_t>(end - address.begin()) + 1
                                               : 0;
}

// Characters that the scheme and authority may hold: printable ASCII without backslashes and
// escapes, which browsers and the parser could read differently.
bool IsPlainHeadCharacter(unsigned char c)
{
    return c > 0x20 && c < 0x7F && c != '\\' && c != '%';
}

// Characters of a path, query or fragment that nothing can make safe: browsers drop tabs and
// line breaks and read a backslash as a slash.
bool IsUnsafeTailCharacter(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == '\\';
}

// Characters that browsers percent-encode in a path, query or fragment.
bool BrowserEncodes(unsigned char c)
{
    return c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' || c == '`' || c == '{' ||
           c == '}' || c == '|' || c == '^';
}

void AppendEscape(std::string& text, unsigned char c)
{
    static const char kHex[] = "0123456789ABCDEF";
    text += '%';
    text += kHex[c >> 4];
    text += kHex[c & 0x0F];
}

// The length of the scheme and authority ("http://host:port"): up to the first "/", "?" or
// "#" after the "//" behind the scheme; the whole address when it has no "scheme://".
std::size_t HeadLength(const std::string& address)
{
    const std::size_t scheme = SchemeLength(address);
    if (scheme == 0 || address.compare(scheme, 2, "//") != 0)
        return address.size();
    return std::min(address.find_first_of("/?#", scheme + 2), address.size());
}

// The address as a browser would request it: characters that it percent-encodes in the path,
// query and fragment are encoded. Null when the scheme or authority holds anything but plain
// characters, or the rest holds a character that nothing makes safe.
std::optional<std::string> BrowserForm(const std::string& address)
{
    const std::size_t headLength = HeadLength(address);
    const auto tailStart = address.begin() + static_cast<std::ptrdiff_t>(headLength);
    if (!std::all_of(address.begin(), tailStart,
                     [](char c) { return IsPlainHeadCharacter(static_cast<unsigned char>(c)); }) ||
        std::any_of(tailStart, address.end(), IsUnsafeTailCharacter))
        return std::nullopt;
    std::string form = address.substr(0, headLength);
    for (auto c = tailStart; c != address.end(); ++c)
    {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (BrowserEncodes(byte))
            AppendEscape(form, byte);
        else
            form += *c;
    }
    return form;
}

bool IsHostLabelCharacter(unsigned char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-' || c == '_';
}

// Browsers read a host whose last label is a number (decimal, or hexadecimal after "0x") as an
// IPv4 address in one of its numeric forms ("2130706433", "0x7f.1").
bool IsNumericLabel(const std::string& label)
{
    const bool hex = label.size() >= 2 && label[0] == '0' && (label[1] == 'x' || label[1] == 'X');
    const std::string digits = hex ? label.substr(2) : label;
    return std::all_of(digits.begin(), digits.end(),
                       [hex](unsigned char c)
                       { return hex ? IsAsciiHexDigit(c) : IsAsciiDigit(c); });
}

// True for a host name of non-empty labels of letters, digits, hyphens and underscores that
// no browser reads as an IP address. IP literals of every kind are refused.
bool IsDomainName(const UriUriA& uri)
{
    if (uri.hostData.ip4 || uri.hostData.ip6 || uri.hostData.ipFuture.first)
        return false;
    const std::string host = Text(uri.hostText);
    std::string label;
    for (std::size_t start = 0; start <= host.size(); start += label.size() + 1)
    {
        label = host.substr(start, host.find('.', start) - start);
        if (label.empty() || !std::all_of(label.begin(), label.end(),
                                          [](unsigned char c) { return IsHostLabelCharacter(c); }))
            return false;
    }
    return !IsNumericLabel(label);
}

// Escaped dots, slashes and backslashes in the path: servers and browsers disagree on whether
// they make dot segments or separators ("/game/..%2fadmin").
bool HasEscapedSeparators(const UriUriA& uri)
{
    for (const UriPathSegmentA* segment = uri.pathHead; segment; segment = segment->next)
    {
        const std::string text = Lower(Text(segment->text));
        for (const char* escape : {"%2e", "%2f", "%5c"})
        {
            if (text.find(escape) != std::string::npos)
                return true;
        }
    }
    return false;
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

std::optional<WebLocation> ParseWebLocation(const std::string& address)
{
    const std::optional<std::string> form = BrowserForm(address);
    if (!form)
        return std::nullopt;
    ParsedUri parsed(form->c_str());
    if (!parsed.Parsed() || !IsDomainName(parsed.Uri()) || HasEscapedSeparators(parsed.Uri()) ||
        !parsed.Normalize())
        return std::nullopt;
    const UriUriA& uri = parsed.Uri();
    WebLocation location;
    location.scheme = Lower(Text(uri.scheme));
    location.host = Lower(Text(uri.hostText));
    if ((location.scheme != "http" && location.scheme != "https") || uri.userInfo.first)
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

// A page's path covers itself and what lies below it on a segment boundary: "/ask" covers
// "/ask", "/ask/" and "/ask/x", not "/askevil".
bool IsPathBelow(const std::string& path, const std::string& pagePath)
{
    if (path.compare(0, pagePath.size(), pagePath) != 0)
        return false;
    return path.size() == pagePath.size() || pagePath.back() == '/' || path[pagePath.size()] == '/';
}

bool IsBelowPage(const WebLocation& location, const WebLocation& page)
{
    return location.scheme == page.scheme && location.host == page.host &&
           location.port == page.port && IsPathBelow(location.path, page.path);
}

TrustState MakeState(const TrustedAddresses& trusted)
{
    TrustState state{trusted, {}};
    for (const std::string& page : trusted.pagePrefixes)
    {
        if (std::optional<WebLocation> location = ParseWebLocation(page))
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
    // The one "about:" page that shows nothing; other "about:" addresses may carry content.
    if (Lower(address) == "about:blank")
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

std::string WebLinkAddress(const std::string& target)
{
    return SchemeLength(target) > 0 ? target : "http://" + target;
}

bool IsTrustedWebLink(const std::string& target)
{
    return IsTrustedAddress(WebLinkAddress(target).c_str());
}
} // namespace ZuGUI
