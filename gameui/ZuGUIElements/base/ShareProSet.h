// A class's shared set of property objects: one object per property for the whole process,
// kept in the order in which they were added and found by name. A set built from a list of
// property objects owns them.
#pragma once

#include <CEGUI/Property.h>

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace CEGUI
{
class ShareProSet
{
public:
    using const_iterator = std::vector<Property*>::const_iterator;

    ShareProSet() = default;
    // Takes the given property objects, in order.
    template <
        typename... Properties,
        typename = std::enable_if_t<(std::is_base_of_v<Property, std::decay_t<Properties>> && ...)>>
    explicit ShareProSet(Properties&&... properties)
    {
        (Adopt(std::make_unique<std::decay_t<Properties>>(std::forward<Properties>(properties))),
         ...);
    }
    ShareProSet(const ShareProSet&) = delete;
    ShareProSet& operator=(const ShareProSet&) = delete;
    virtual ~ShareProSet() = default;

    // Adds `property`, which the caller keeps; a second property of the same name replaces
    // the first in place.
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
    void Adopt(std::unique_ptr<Property> property)
    {
        addProperty(property.get());
        d_owned.push_back(std::move(property));
    }

    std::vector<Property*> d_properties;
    std::vector<std::unique_ptr<Property>> d_owned;
};
} // namespace CEGUI
