// The text pieces of the widget reference, and the checks of its inputs, apart from CEGUI.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace ZuReference
{
// `text` as one Markdown table cell: one line, bars escaped.
std::string Cell(std::string text);
// `text` as inline code; nothing for an empty text.
std::string Code(const std::string& text);
// The names as inline code separated by commas, or "none".
std::string CodeList(const std::vector<std::string>& names);
std::string CodeList(const std::set<std::string>& names);

// The anchor of a Markdown heading as GitHub makes it: lower case, spaces as hyphens, other
// punctuation than hyphens and underscores left out.
std::string HeadingAnchor(const std::string& heading);
// The file name of the picture of a skin window type: "ZuLook/ItemIcon" is
// "ZuLook-ItemIcon.png".
std::string PictureFileName(const std::string& windowType);

// The first line (counted from 1) where two texts differ; 0 when they are equal.
std::size_t FirstDifferingLine(const std::string& a, const std::string& b);

// Adds the events that `source` defines as `const CEGUI::String Class::EventName(...)`, as
// "Class::EventName"; a class's EventNamespace is no event.
void AddEventDefinitions(const std::string& source, std::set<std::string>& definitions);
} // namespace ZuReference
