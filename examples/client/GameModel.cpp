#include "client/GameModel.h"

#include <stdexcept>

namespace ZuDemo
{
namespace
{
constexpr int kPlayerId = 1;
constexpr int kTargetId = 2;
constexpr int kBagId = 0;
constexpr int kEquipId = 0;
// Chat link colours of item qualities.
constexpr std::uint32_t kPoorColour = 0xFF9D9D9D;
constexpr std::uint32_t kCommonColour = 0xFFFFFFFF;
constexpr std::uint32_t kUncommonColour = 0xFF1EFF00;
constexpr unsigned kEmoteSize = 18;

template <typename Map>
const typename Map::mapped_type* FindIn(const Map& map, const typename Map::key_type& key)
{
    const auto found = map.find(key);
    return found != map.end() ? &found->second : nullptr;
}
} // namespace

std::string ItemName(const Item& item)
{
    return item.tooltip.substr(0, item.tooltip.find('\n'));
}

GameModel GameModel::MakeSample()
{
    GameModel model;
    model.AddCreature({kPlayerId,
                       "hero",
                       {{"Name", "Aldric"},
                        {"Level", "12"},
                        {"HP", "HP 420/500"},
                        {"HPRatio", "0.84"},
                        {"MP", "MP 90/200"},
                        {"MPRatio", "0.45"}}},
                      "Player");
    model.AddCreature(
        {kTargetId,
         "wolf",
         {{"Name", "Forest Wolf"}, {"Level", "10"}, {"HP", "HP 310/310"}, {"HPRatio", "1"}}},
        "Target");

    model.AddItem(
        {1001, "sword", 1, "Iron Sword\nDamage 12-18\nDurability 40/40", 1101, kUncommonColour});
    model.AddItem({1002, "potion", 5, "Minor Healing Potion\nRestores 50 HP", 0, kCommonColour});
    model.AddItem({1003, "pelt", 12, "Wolf Pelt\nSells for 3 silver", 0, kPoorColour});
    model.AddItem({1101, "sword", 1, "Rusty Sword\nDamage 6-9\nDurability 11/30"});
    model.AddItem({1102, "cap", 1, "Leather Cap\nArmour 4"});

    model.AddItem({2001, "shield", 1, "Stone Skin\nArmour +20 for 5 min"});
    model.AddItem({2002, "leaf", 1, "Regrowth\nHeals 5 HP every 2 s"});
    model.AddItem({2003, "flame", 1, "Burning\nLoses 3 HP every second"});

    model.AddItem({3001, "flame", 1, "Fire Bolt\nDeals 30-42 fire damage"});
    model.AddItem({3002, "bolt", 1, "Lightning\nDeals 25-50 nature damage"});
    model.AddItem({3003, "leaf", 1, "Regrowth\nHeals 60 HP over 12 s"});
    model.AddItem({3004, "shield", 1, "Stone Skin\nArmour +20 for 5 min"});

    model.AddPackage({"Bag", kBagId, {1001, 1002, 0, 1003}});
    model.AddPackage({"Equip", kEquipId, {1101, 1102}});
    model.AddPackage({kBuffPackage, 0, {2001, 2002, 2003}});
    model.AddPackage({kSpellBookPackage, 0, {3001, 3002, 3003, 3004}});

    model.AddPicture(1, 1, {"potion", 16, 16});
    model.AddPicture(1, 2, {"shield", 16, 16});
    model.AddPicture(1, 3, {"flame", 24, 24});
    model.AddPicture(2, 1, {"banner", 480, 18});
    return model;
}

void GameModel::AddCreature(Creature creature, const std::string& role)
{
    if (!role.empty())
        m_roles[role] = creature.id;
    const int id = creature.id;
    m_creatures[id] = std::move(creature);
}

void GameModel::AddItem(Item item)
{
    if (item.cellId == 0)
        throw std::invalid_argument("GameModel: an item needs a cell id other than 0");
    const int cellId = item.cellId;
    if (!m_items.emplace(cellId, std::move(item)).second)
        throw std::invalid_argument("GameModel: cell id " + std::to_string(cellId) +
                                    " is used twice");
}

void GameModel::AddPackage(Package package)
{
    m_packages.push_back(std::move(package));
}

void GameModel::AddPicture(std::uint16_t set, std::uint16_t index, Picture picture)
{
    if (set == 0 || set == kEmoteSet)
        throw std::invalid_argument("GameModel: picture set " + std::to_string(set) +
                                    " is not for added pictures");
    m_pictures[{set, index}] = std::move(picture);
}

const Picture* GameModel::FindPicture(std::uint16_t set, std::uint16_t index) const
{
    static const Picture emote{"emote", kEmoteSize, kEmoteSize};
    if (set == kEmoteSet)
        return index >= kFirstEmoteIndex && index < kFirstEmoteIndex + kEmoteCount ? &emote
                                                                                   : nullptr;
    return FindIn(m_pictures, std::make_pair(set, index));
}

const Creature* GameModel::FindCreature(int id) const
{
    return FindIn(m_creatures, id);
}

std::optional<int> GameModel::CreatureIdOf(const std::string& role) const
{
    const int* id = FindIn(m_roles, role);
    return id ? std::optional<int>(*id) : std::nullopt;
}

std::optional<std::string> GameModel::PropertyOf(int creatureId, const std::string& property) const
{
    const Creature* creature = FindCreature(creatureId);
    const std::string* value = creature ? FindIn(creature->properties, property) : nullptr;
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

const std::string* GameModel::IconOf(int objectId) const
{
    if (const Item* item = FindItem(objectId))
        return &item->icon;
    const Creature* creature = FindCreature(objectId);
    return creature ? &creature->icon : nullptr;
}

const Item* GameModel::FindItem(int cellId) const
{
    return cellId != 0 ? FindIn(m_items, cellId) : nullptr;
}

const Package* GameModel::FindPackage(const std::string& name, int id) const
{
    for (const Package& package : m_packages)
    {
        if (package.name == name && package.id == id)
            return &package;
    }
    return nullptr;
}

std::optional<int> GameModel::CellAt(const std::string& packageName, int packageId, int index) const
{
    const Package* package = FindPackage(packageName, packageId);
    if (!package || index < 0 || static_cast<std::size_t>(index) >= package->slots.size())
        return std::nullopt;
    return package->slots[static_cast<std::size_t>(index)];
}
} // namespace ZuDemo
