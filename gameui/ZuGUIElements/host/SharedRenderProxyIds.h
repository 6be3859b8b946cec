// The render proxies that the client draws the module's shared pictures with: the sparkle over
// game windows and the pictures of rich text. Each id is asked of the client's creature
// provider ("WhichOne" names it) at its first use, and asked again at each use until the client
// answers; the answer is kept for the process. An answer without "CreatureId" gives the id -1.
#pragma once

namespace ZuGUI
{
enum class SharedRenderProxy
{
    Sparkle,
    Picture,
};

// The id of `proxy`, asked of the client while it has not answered; 0 until it does.
unsigned SharedRenderProxyId(SharedRenderProxy proxy);
// The id of `proxy` without asking.
unsigned KnownSharedRenderProxyId(SharedRenderProxy proxy);
// Forgets every id, so that the next use asks again (a new client, tests).
void ForgetSharedRenderProxyIds();
} // namespace ZuGUI
