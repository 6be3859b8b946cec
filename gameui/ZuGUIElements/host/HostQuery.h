// The one way the module asks the game client for data: a fresh request tree named as given,
// a reply tree named "", Query, the reply read only when the client answered, and both trees
// destroyed on every path. With no client set nothing is sent.
#pragma once

#include "ZuGUIElements/host/ClientLink.h"
#include "public/KeyValues.h"

#include <CEGUI/String.h>

#include <utility>

namespace ZuGUI
{
// How a query went. It converts to true only when the client answered.
class QueryResult
{
public:
    enum Outcome
    {
        NoHost,     // no client set: nothing was sent
        Unanswered, // the client had no answer
        Answered,
    };

    QueryResult(Outcome outcome) : m_outcome(outcome) {}
    operator bool() const { return m_outcome == Answered; }
    bool NoHostSet() const { return m_outcome == NoHost; }

private:
    Outcome m_outcome;
};

// Sends the request `requestName` with the keys that `fillRequest(KeyValues&)` sets; when the
// client answers, hands the reply to `readReply(KeyValues&)`.
template <typename FillRequest, typename ReadReply>
QueryResult QueryHost(const char* requestName, FillRequest&& fillRequest, ReadReply&& readReply)
{
    IZuGUI* host = GetHost();
    if (!host)
        return QueryResult::NoHost;
    const KeyValuesPtr request = MakeKeyValues(requestName);
    const KeyValuesPtr reply = MakeKeyValues("");
    std::forward<FillRequest>(fillRequest)(*request);
    if (!host->Query(request.get(), reply.get()))
        return QueryResult::Unanswered;
    std::forward<ReadReply>(readReply)(*reply);
    return QueryResult::Answered;
}

// A string of a reply, converted from the system code page to UTF-8.
CEGUI::String ReplyText(KeyValues& reply, const char* key, const char* defaultValue = "");

// A host text in the system code page as a CEGUI string; null gives "".
CEGUI::String HostTextToString(const char* ansiText);
} // namespace ZuGUI
