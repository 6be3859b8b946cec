// CEGUI for the tests of text: booted once per test program on the NullRenderer, with CEGUI's
// data and the sample skin as resource groups, TaharezLook loaded and DejaVuSans-10-NoScale as
// the default font, so that text metrics are the same on every machine. The rich text engine's
// own tests need nothing more; the module's test support boots the module over it.
#pragma once

#include <CEGUI/Logger.h>

#include <memory>

namespace ZuTest
{
constexpr float kDisplayWidth = 1024.0f;
constexpr float kDisplayHeight = 768.0f;
extern const char* const kDefaultFont;

// Boots CEGUI with `logger` (a silent one when null) unless it runs already.
void BootTextCegui(std::unique_ptr<CEGUI::Logger> logger = nullptr);
// Shuts down what BootTextCegui booted.
void ShutdownTextCegui();
bool IsTextCeguiBooted();

// Boots CEGUI on the NullRenderer with `fontFile` from `dataDir`/fonts as the default font,
// for programs without the test fixtures (fuzz targets). Does nothing while CEGUI runs.
void BootCeguiForText(const char* dataDir, const char* fontFile);
} // namespace ZuTest
