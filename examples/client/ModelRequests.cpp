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

// A tool tip in the module's markup: the name in gold over the other lines.
std::string TooltipMarkup(const std::string& name, const std::string& details)
{
    return "{T gold:" + name + "}" + (details.empty() ? "" : "\n" + details);
}

std::optional<std::string> ObjectTooltip(const GameModel& model, int objectId)
{
    if (const Item* item = model.FindItem(objectId))
    {
        const std::size_t lineEnd = item->tooltip.find('\n');
        return TooltipMarkup(ItemName(*item),
                             lineEnd == std::string::npos ? "" : item->tooltip.substr(lineEnd + 1));
    }
    const std::optional<std::string> name = model.PropertyOf(objectId, "Name");
    if (!name)
        return std::nullopt;
    return TooltipMarkup(*name, "Level " + model.PropertyOf(objectId, "Level").value_or("?"));
}

// The compare text asked for beside an item's tool tip is the tool tip of the equipped item.
bool AnswerObjectTooltip(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const std::optional<std::string> tooltip = ObjectTooltip(model, request.GetInt("ObjectId"));
    if (!tooltip)
        return false;
    const bool compareText = request.GetInt("GameObjectNeedCmpTxt", 0) != 0;
    reply.SetString("GameObjectTooltipValue",
                    ((compareText ? "{T grey:Equipped}\n" : "") + *tooltip).c_str());
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
