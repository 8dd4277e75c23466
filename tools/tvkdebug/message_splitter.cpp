#include "message_splitter.h"

namespace tvkdebug {

std::optional<std::string> MessageSplitter::Next() {
    size_t end = pending_.find('\0');
    if (end == std::string::npos) return std::nullopt;
    std::string message = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return message;
}

std::string MessageSplitter::TakeRest() {
    std::string rest;
    rest.swap(pending_);
    return rest;
}

}  // namespace tvkdebug
