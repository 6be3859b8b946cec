// CEGUI's logger for test programs: keeps every logged line in memory so that tests can check
// the module's exact log lines, and writes nothing to disk.
#pragma once

#include <CEGUI/Logger.h>

#include <string>
#include <vector>

namespace ZuTest
{
class TestLogger : public CEGUI::Logger
{
public:
    void logEvent(const CEGUI::String& message, CEGUI::LoggingLevel level) override;
    void setLogFilename(const CEGUI::String&, bool) override {}

    const std::vector<std::string>& Lines() const { return m_lines; }
    // The logged lines equal to `line`, counted.
    int Count(const std::string& line) const;
    void Clear() { m_lines.clear(); }

    static TestLogger& Get();

private:
    std::vector<std::string> m_lines;
};
} // namespace ZuTest
