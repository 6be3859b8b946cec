#include "ZuGUIElements/host/SharedRenderProxyIds.h"

#include "ZuGUIElements/host/HostQuery.h"
#include "ZuGUIElements/host/HostTrees.h"

#include <array>

namespace ZuGUI
{
namespace
{
struct KnownId
{
    unsigned id = 0;
    bool answered = false;
};

std::array<KnownId, 2> g_known;

KnownId& Known(SharedRenderProxy proxy)
{
    return g_known[static_cast<std::size_t>(proxy)];
}

const char* WhichOne(SharedRenderProxy proxy)
{
    return proxy == SharedRenderProxy::Sparkle ? HostTrees::kWhichOneSparking
                                               : HostTrees::kWhichOnePicture;
}
} // namespace

unsigned SharedRenderProxyId(SharedRenderProxy proxy)
{
    KnownId& known = Known(proxy);
    if (known.answered)
        return known.id;
    known.answered = QueryHost(
        HostTrees::kGameCreatureProvider,
        [proxy](KeyValues& request) { request.SetString(HostTrees::kWhichOne, WhichOne(proxy)); },
        [&known](KeyValues& reply)
        {
            known.id =
                static_cast<unsigned>(reply.GetInt(HostTrees::kCreatureId, HostTrees::kNoChangeId));
        });
    return known.id;
}

unsigned KnownSharedRenderProxyId(SharedRenderProxy proxy)
{
    return Known(proxy).id;
}

void ForgetSharedRenderProxyIds()
{
    g_known = {};
}
} // namespace ZuGUI
