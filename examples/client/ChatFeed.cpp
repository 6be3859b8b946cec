#include "client/ChatFeed.h"

namespace ZuDemo
{
ChatFeed ChatFeed::MakeSample()
{
    // Item ids are the game model's: the client colours their names by quality.
    return ChatFeed({
        {0.1f, "{T grey:[20:01]} {CN [Trade]} {N Alice}: selling {I 1001:[Iron Sword]}, cheap"},
        {0.25f, "{T grey:[20:01]} {N Bram}: evening all {E 0}"},
        {0.4f, "{T grey:[20:02]} {CN [Guild]} {N Cira}: raid at nine, bring potions"},
        {0.55f, "{T grey:[20:02]} {N Dara}: who has a {I 1003:[Wolf Pelt]}? paying well"},
        {0.7f, "{T grey:[20:03]} {N Evan}: me, twelve of them {E 1}"},
        {0.85f, "{T grey:[20:03]} {Npc npc_tom:Old Tom} says: the wolves have grown bold "
                "since the last frost, keep to the road after dark"},
        {1.0f, "{T grey:[20:04]} {CN [Trade]} {N Alice}: {I 1002:[Minor Healing Potion]} x5, "
               "ten silver each"},
        {1.15f, "{T grey:[20:04]} {N Bram}: {T gold:the keep gate is open}"},
        {1.3f, "{T grey:[20:05]} {N Cira}: omw"},
        {1.45f, "{T grey:[20:05]} {CN [Guild]} {N Dara}: {T red:wolves at the bridge!}"},
        {1.6f, "{T grey:[20:06]} {N Evan}: hold the bridge, we are coming {E 2}"},
        {1.75f, "{T grey:[20:06]} {N Alice}: need a healer at the bridge"},
        {1.9f, "{T grey:[20:07]} {N Bram}: {C /join bridge:join the defence}"},
        {2.05f, "{T grey:[20:07]} {CN [Guild]} {N Cira}: pack leader down, loot the "
                "{I 1003:[Wolf Pelt]}"},
        {2.2f, "{T grey:[20:08]} {N Dara}: well fought {E 0}"},
        {2.35f, "{T grey:[20:08]} {N Evan}: back to the keep"},
    });
}

std::vector<std::string> ChatFeed::TakeArrived(float seconds)
{
    std::vector<std::string> arrived;
    for (; m_next < m_messages.size() && m_messages[m_next].time <= seconds; ++m_next)
        arrived.push_back(m_messages[m_next].markup);
    return arrived;
}
} // namespace ZuDemo
