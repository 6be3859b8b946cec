#include "client/ModelRequests.h"

#include "public/KeyValues.h"

namespace ZuDemo
{
namespace
{
// "WhichOne" names a creature by its role, or the sparkle effect's render proxy.
bool AnswerCreature(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const std::string which = request.GetString("WhichOne");
    if (which == "Sparking")
    {
        reply.SetInt("CreatureId", GameModel::kSparkleProxyId);
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

// A package slot; an empty slot answers cell id 0 so that an icon showing it clears.
bool AnswerPackageSlot(const GameModel& model, KeyValues& request, KeyValues& reply)
{
    const std::optional<int> cellId =
        model.CellAt(request.GetString("PackageName"), request.GetInt("PackageId"),
                     request.GetInt("PackageIndex", -1));
    if (!cellId)
        return false;
    reply.SetInt("CellId", *cellId);
    return true;
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
    };
}
} // namespace ZuDemo
