// The sample game's state: creatures with named, pre-formatted string properties, packages
// (bag, equipment) whose slots hold items, and the pictures that rich text shows. The sample
// client answers the module's requests from it; everything is plain data so that new widgets
// only add rows.
#pragma once

#include <cstdint>
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
    // The colour of the item's name in chat links (ARGB, by quality), 0 for none.
    std::uint32_t nameColour = 0;
};

// An item's name: the first line of its tool tip.
std::string ItemName(const Item& item);

// A picture that rich text shows by (set, index): an icon, an emote or a line background.
struct Picture
{
    // What the client paints: an icon name ("potion"), "emote" or "banner".
    std::string name;
    unsigned width = 0;
    unsigned height = 0;
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
    // The render proxy of rich text pictures, answered for "WhichOne" = "Picture"; its
    // parameter is the picture's set (upper 16 bits) and index (lower 16 bits).
    static constexpr int kPictureProxyId = 9001;
    // Emote n is picture (kEmoteSet, kFirstEmoteIndex + n), n from 0 to kEmoteCount - 1.
    static constexpr std::uint16_t kEmoteSet = 4;
    static constexpr std::uint16_t kFirstEmoteIndex = 14500;
    static constexpr int kEmoteCount = 200;
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
    // Set 0 is no picture, and the emote set is the model's own.
    void AddPicture(std::uint16_t set, std::uint16_t index, Picture picture);

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
    // Pictures added, and every emote; null for any other (set, index).
    const Picture* FindPicture(std::uint16_t set, std::uint16_t index) const;

private:
    std::map<int, Creature> m_creatures;
    std::map<std::string, int> m_roles;
    std::map<int, Item> m_items;
    std::vector<Package> m_packages;
    std::map<std::pair<std::uint16_t, std::uint16_t>, Picture> m_pictures;
};
} // namespace ZuDemo
