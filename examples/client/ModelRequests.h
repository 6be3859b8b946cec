// The sample client's answers to the module's requests, one handler per request name, all
// read from the game model.
#pragma once

#include "client/GameModel.h"

#include <functional>
#include <map>
#include <string>

class KeyValues;

namespace ZuDemo
{
// Fills `reply` for `request`; false means the game has no answer.
using RequestHandler =
    std::function<bool(const GameModel& model, KeyValues& request, KeyValues& reply)>;
using RequestHandlers = std::map<std::string, RequestHandler>;

// The handlers for every request the sample game answers, by request name.
RequestHandlers MakeModelRequestHandlers();
} // namespace ZuDemo
