// Which addresses a web window may load. The decision is made on the host and path that a
// browser would use: characters that browsers percent-encode in the path, query and fragment
// are encoded first, the address is then parsed as a URI (RFC 3986), and only http and https
// addresses of a trusted page or of a host inside the portal's domain pass, besides
// "about:blank". Anything that does not parse, or that a browser could read differently from
// the parser, is refused: backslashes, white space, control or non-ASCII characters, percent
// escapes or user names in the scheme and host part; tabs and line breaks anywhere; hosts
// that are IP addresses in any form or have empty labels; escaped dots, slashes and
// backslashes in the path.
#pragma once

#include <string>
#include <vector>

namespace ZuGUI
{
struct TrustedAddresses
{
    // Pages whose addresses are trusted with everything below them: an address is trusted
    // when it has a page's scheme, host and port and a path that is the page's path or lies
    // below it ("/ask" trusts "/ask", "/ask/" and "/ask/x", not "/askevil").
    std::vector<std::string> pagePrefixes;
    // Every host that ends with "." + this domain is trusted ("portal.example" trusts
    // "www.portal.example", not "portal.example" itself nor "evilportal.example").
    std::string portalDomain;
};

// Replaces the trusted addresses. A page that is not an http or https address trusts nothing.
// The defaults are example addresses.
void SetTrustedAddresses(const TrustedAddresses& trusted);
const TrustedAddresses& GetTrustedAddresses();

// What the web window lets the control load. Null is refused.
bool IsTrustedAddress(const char* address);

// The address that a browser opens for a web link's target: the target as written when it
// begins with a URI scheme ("https:", "about:"), else "http://" + target.
std::string WebLinkAddress(const std::string& target);
// The check on the address that a browser opens for a web link's target (UTF-8).
bool IsTrustedWebLink(const std::string& target);
} // namespace ZuGUI
