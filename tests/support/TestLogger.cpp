#include "support/TestLogger.h"

#include <algorithm>

namespace ZuTest
{
void TestLogger::logEvent(const CEGUI::String& message, CEGUI::LoggingLevel level)
{
    if (level <= getLoggingLevel())
        m_lines.push_back(message.c_str());
}

int TestLogger::Count(const std::string& line) const
{
    return static_cast<int>(std::count(m_lines.begin(), m_lines.end(), line));
}

TestLogger& TestLogger::Get()
{
    return static_cast<TestLogger&>(CEGUI::Logger::getSingleton());
}
} // namespace ZuTest
