// A render effect that counts the draws of the geometry buffer it is set on, so that a test
// can tell whether CEGUI queued that buffer for drawing.
#pragma once

#include <CEGUI/RenderEffect.h>

namespace ZuTest
{
class DrawCounter : public CEGUI::RenderEffect
{
public:
    int getPassCount() const override { return 1; }
    void performPreRenderFunctions(const int) override { ++draws; }
    void performPostRenderFunctions() override {}
    bool realiseGeometry(CEGUI::RenderingWindow&, CEGUI::GeometryBuffer&) override { return false; }
    bool update(const float, CEGUI::RenderingWindow&) override { return false; }

    int draws = 0;
};
} // namespace ZuTest
