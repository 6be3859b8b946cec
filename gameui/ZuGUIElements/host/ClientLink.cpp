#include "ZuGUIElements/host/ClientLink.h"

#include <map>

namespace ZuGUI
{
namespace
{
struct Link
{
    IZuGUI* host = nullptr;
    bool usingZuRenderer = false;
    std::map<CEGUI::String, std::string> providers;
};

Link& TheLink()
{
    static Link link;
    return link;
}
} // namespace

IZuGUI* GetHost()
{
    return TheLink().host;
}

void SetHost(IZuGUI* host)
{
    TheLink().host = host;
}

bool IsUsingZuRenderer()
{
    return TheLink().usingZuRenderer;
}

void SetUsingZuRenderer(bool usingZuRenderer)
{
    TheLink().usingZuRenderer = usingZuRenderer;
}

const std::string& ProviderNameOf(const CEGUI::String& type)
{
    static const std::string none;
    const auto& providers = TheLink().providers;
    const auto found = providers.find(type);
    return found != providers.end() ? found->second : none;
}

void RememberProviderName(const CEGUI::String& type, const char* provider)
{
    if (provider)
        TheLink().providers.emplace(type, provider);
}
} // namespace ZuGUI
