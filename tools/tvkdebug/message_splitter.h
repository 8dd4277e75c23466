// Splits the bytes of the debugger channel into messages (each ends with a NUL byte).
#pragma once

#include <optional>
#include <string>

namespace tvkdebug {

class MessageSplitter {
public:
    void Append(const char* data, size_t size) { pending_.append(data, size); }
    // The next whole message without its NUL, if one has arrived.
    std::optional<std::string> Next();
    // What is left when the channel closes: a last message that lost its NUL.
    std::string TakeRest();

private:
    std::string pending_;
};

}  // namespace tvkdebug
