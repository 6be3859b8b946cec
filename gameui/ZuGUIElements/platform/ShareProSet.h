// A class's shared set of property objects: one object per property for the whole process,
// kept in the order in which they were added and found by name.
#pragma once

#include <CEGUI/Property.h>

#include <vector>

namespace CEGUI
{
class ShareProSet
{
public:
    using const_iterator = std::vector<Property*>::const_iterator;

    virtual ~ShareProSet() = default;

    // Adds `property`; a second property of the same name replaces the first in place.
    void addProperty(Property* property)
    {
        for (Property*& present : d_properties)
        {
            if (present->getName() == property->getName())
            {
                present = property;
                return;
            }
        }
        d_properties.push_back(property);
    }

    // The property named `name`, or null.
    Property* GetpProperty(const String& name) const
    {
        for (Property* property : d_properties)
        {
            if (property->getName() == name)
                return property;
        }
        return nullptr;
    }

    const_iterator begin() const { return d_properties.begin(); }
    const_iterator end() const { return d_properties.end(); }
    std::size_t size() const { return d_properties.size(); }

private:
    std::vector<Property*> d_properties;
};
} // namespace CEGUI
