// Runs a window's per-frame step at most once per frame of the game client. CEGUI may update
// a window several times in one client frame (several GUI contexts, a client that injects
// time twice); the client's UI time tells the frames apart.
#pragma once

namespace ZuGUI
{
class ClientFrameGuard
{
public:
    enum class Frame
    {
        NoClientClock, // no client, or it keeps no UI time: the guard cannot tell
        First,         // the first update seen: its time is recorded
        New,           // the client's clock has moved on by about the elapsed time
        Same,          // another update within the frame already seen
    };

    // Judges an update that CEGUI gives `elapsed` seconds, and records the client's time.
    Frame Next(float elapsed);

private:
    float m_lastTime = 0.0f;
};
} // namespace ZuGUI
