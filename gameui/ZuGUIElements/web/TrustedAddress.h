// Which addresses a web window may load. The decision is made on the address's real host:
// the address is parsed as a URI (RFC 3986), and only http and https addresses of a trusted
// page or of a host inside the portal's domain pass, besides "about:" pages. Anything that
// does not parse, or that a browser could read differently from the parser (backslashes,
// white space, control or non-ASCII characters, percent escapes or user names in the host
// part), is refused.
#pragma once

#include <string>
#include <vector>

namespace ZuGUI
{
struct TrustedAddresses
{
    // Pages whose addresses are trusted with everything below them: an address is trusted
    // when it has a page's scheme, host and port and a path that begins with the page's path.
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
} // namespace ZuGUI
