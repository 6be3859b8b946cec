// The sample game's chat as it arrives: lines of markup, each at its time in seconds since the
// feed started, with the speakers' names, channel tags, the game's item links and emotes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ZuDemo
{
class ChatFeed
{
public:
    struct Message
    {
        float time;
        std::string markup;
    };

    explicit ChatFeed(std::vector<Message> messages) : m_messages(std::move(messages)) {}
    // A tavern's evening: sixteen lines over two and a half seconds.
    static ChatFeed MakeSample();

    // The messages that arrived by `seconds` and were not taken yet, in order.
    std::vector<std::string> TakeArrived(float seconds);
    // The time of the last message.
    float LastTime() const { return m_messages.empty() ? 0.0f : m_messages.back().time; }

private:
    std::vector<Message> m_messages;
    std::size_t m_next = 0;
};
} // namespace ZuDemo
