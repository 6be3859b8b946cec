#include "ZuGUIElements/host/ClientFrameGuard.h"

#include "ZuGUIElements/host/ClientLink.h"

namespace ZuGUI
{
namespace
{
// The tolerance at the start of a client frame: a client clock that ticks in whole
// milliseconds may have moved a millisecond less than the frame's time.
constexpr float kFrameStartSlack = 0.0015f;
} // namespace

ClientFrameGuard::Frame ClientFrameGuard::Next(float elapsed)
{
    IZuGUI* host = GetHost();
    const float* uiTime = host ? host->GetUITime() : nullptr;
    if (!uiTime)
        return Frame::NoClientClock;
    const float last = m_lastTime;
    m_lastTime = *uiTime;
    if (last == 0.0f)
        return Frame::First;
    return last < *uiTime && last <= *uiTime - elapsed + kFrameStartSlack ? Frame::New
                                                                          : Frame::Same;
}
} // namespace ZuGUI
