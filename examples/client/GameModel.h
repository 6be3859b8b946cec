// The sample game's state: creatures with named, pre-formatted string properties, and packages
// (bag, equipment) whose slots hold items. The sample client answers the module's requests
// from it; everything is plain data so that new widgets only add rows.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ZuDemo
{
struct Creature
{
    int id = 0;
    // The picture the client renders for the creature ("hero", "wolf").
    std::string icon;
    // Property name ("Name", "Level", "HP") to the text the game shows for it.
    std::map<std::string, std::string> properties;
};

struct Item
{
    int cellId = 0;
    // The picture the client renders for the item ("sword", "potion"...).
    std::string icon;
    int count = 1;
    std::string tooltip;
    // The equipped item this one is compared with in its tool tip, 0 for none.
    int compareId = 0;
};

struct Package
{
    std::string name;
    int id = 0;
    // The cell id of the item in each slot; 0 marks an empty slot.
    std::vector<int> slots;
};

class GameModel
{
public:
    // The render proxy of the sparkle effect, answered for "WhichOne" = "Sparking".
    static constexpr int kSparkleProxyId = 9000;
    // The packages that hold the player's buffs (by buff index) and spells (by spell index).
    static constexpr const char* kBuffPackage = "Buffs";
    static constexpr const char* kSpellBookPackage = "SpellBook";

    // The player with his buffs and spell book, a target, a bag and the equipment.
    static GameModel MakeSample();

    // `role` is the word layouts use to name the creature ("Player"), empty for none.
    void AddCreature(Creature creature, const std::string& role = "");
    // The item's cell id must be unique and not 0.
    void AddItem(Item item);
    void AddPackage(Package package);

    const Creature* FindCreature(int id) const;
    std::optional<int> CreatureIdOf(const std::string& role) const;
    std::optional<std::string> PropertyOf(int creatureId, const std::string& property) const;

    const Item* FindItem(int cellId) const;
    // The picture name of a game object (item or creature), null when it has none.
    const std::string* IconOf(int objectId) const;
    const Package* FindPackage(const std::string& name, int id) const;
    // The cell id in a package slot (0 for an empty slot); none for an unknown package or a
    // slot index outside the package.
    std::optional<int> CellAt(const std::string& packageName, int packageId, int index) const;

private:
    std::map<int, Creature> m_creatures;
    std::map<std::string, int> m_roles;
    std::map<int, Item> m_items;
    std::vector<Package> m_packages;
};
} // namespace ZuDemo
