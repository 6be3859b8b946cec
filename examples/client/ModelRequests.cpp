#include "client/ModelRequests.h"

#include "public/KeyValues.h"

namespace ZuDemo
{
namespace
{
// "WhichOne" names a creature by its role, or the render proxy of the sparkle effect or of
// rich text pictures.
bool AnswerCreature(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const std::string which = request.GetString("WhichOne");
    if (which == "Sparking" || which == "Picture")
    {
        reply.SetInt("CreatureId",
                     which == "Sparking" ? GameModel::kSparkleProxyId : GameModel::kPictureProxyId);
        return true;
    }
    const std::optional<int> id = model.CreatureIdOf(which);
    if (!id)
        return false;
    reply.SetInt("CreatureId", *id);
    return true;
}

bool AnswerObjectProperty(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const std::optional<std::string> value =
        model.PropertyOf(request.GetInt("ObjectId"), request.GetString("WhichProperty"));
    if (!value)
        return false;
    reply.SetString("PropertyStringValue", value->c_str());
    return true;
}

bool AnswerObjectTooltip(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const Item* item = model.FindItem(request.GetInt("ObjectId"));
    if (!item)
        return false;
    reply.SetString("GameObjectTooltipValue", item->tooltip.c_str());
    return true;
}

bool AnswerObjectCompare(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const Item* item = model.FindItem(request.GetInt("ObjectId"));
    if (!item)
        return false;
    reply.SetInt("GameObjectCompareId", item->compareId);
    return true;
}

bool AnswerCell(const std::optional<int>& cellId, KeyValues& reply)
{
    if (!cellId)
        return false;
    reply.SetInt("CellId", *cellId);
    return true;
}

// A package slot; an empty slot answers cell id 0 so that an icon showing it clears.
bool AnswerPackageSlot(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    return AnswerCell(model.CellAt(request.GetString("PackageName"), request.GetInt("PackageId"),
                                   request.GetInt("PackageIndex", -1)),
                      reply);
}

// The player's buff at "BuffIndex".
bool AnswerBuff(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    return AnswerCell(model.CellAt(GameModel::kBuffPackage, 0, request.GetInt("BuffIndex", -1)),
                      reply);
}

// Spells by "Spell_Index" in the spell book, otherwise by package slot.
bool AnswerSpell(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    if (request.FindKey("Spell_Index"))
        return AnswerCell(
            model.CellAt(GameModel::kSpellBookPackage, 0, request.GetInt("Spell_Index")), reply);
    return AnswerPackageSlot(model, request, reply);
}
} // namespace

RequestHandlers MakeModelRequestHandlers()
{
    return {
        {"GameCreatureProvider", AnswerCreature},
        {"GameObjectProperty", AnswerObjectProperty},
        {"GameObjectTooltip", AnswerObjectTooltip},
        {"GameObjectCompare", AnswerObjectCompare},
        {"GamePackageManagerProxy", AnswerPackageSlot},
        {"BuffMgr", AnswerBuff},
        {"SpellProxyMgr", AnswerSpell},
    };
}
} // namespace ZuDemo
