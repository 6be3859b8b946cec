// Walking a CEGUI window tree, for the tests and the benchmarks.
#pragma once

#include <CEGUI/Window.h>

namespace ZuTest
{
// Visits `window` and every window below it, automatic parts included, parents first.
template <class Window, class Visit>
void ForEachWindow(Window& window, const Visit& visit)
{
    visit(window);
    for (std::size_t i = 0; i < window.getChildCount(); ++i)
        ForEachWindow(*window.getChildAtIdx(i), visit);
}
} // namespace ZuTest
