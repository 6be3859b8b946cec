#include "ReferenceText.h"

#include <algorithm>
#include <cctype>

namespace ZuReference
{
std::string Cell(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::string escaped;
    for (char c : text)
        escaped += c == '|' ? std::string("\\|") : std::string(1, c);
    return escaped;
}

std::string Code(const std::string& text)
{
    return text.empty() ? text : "`" + text + "`";
}

std::string CodeList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + Code(name);
    return list.empty() ? "none" : list;
}

std::string CodeList(const std::set<std::string>& names)
{
    return CodeList(std::vector<std::string>(names.begin(), names.end()));
}

std::string HeadingAnchor(const std::string& heading)
{
    std::string anchor;
    for (unsigned char c : heading)
    {
        if (std::isalnum(c) || c == '-' || c == '_')
            anchor += static_cast<char>(std::tolower(c));
        else if (c == ' ')
            anchor += '-';
    }
    return anchor;
}

std::string PictureFileName(const std::string& windowType)
{
    std::string name = windowType;
    std::replace(name.begin(), name.end(), '/', '-');
    return name + ".png";
}

std::size_t FirstDifferingLine(const std::string& a, const std::string& b)
{
    if (a == b)
        return 0;
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return 1 + std::count(a.begin(), mismatch.first, '\n');
}

void AddEventDefinitions(const std::string& source, std::set<std::string>& definitions)
{
    const std::string prefix = "const CEGUI::String ";
    for (std::size_t at = source.find(prefix); at != std::string::npos;
         at = source.find(prefix, at))
    {
        at += prefix.size();
        const std::string name = source.substr(at, source.find_first_of("( ;=\n", at) - at);
        const std::size_t member = name.find("::Event");
        if (member != std::string::npos &&
            name.compare(member, std::string::npos, "::EventNamespace") != 0)
            definitions.insert(name);
    }
}
} // namespace ZuReference
