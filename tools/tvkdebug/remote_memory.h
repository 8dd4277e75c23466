// Reading and writing the stopped program's memory.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tvkdebug {

class RemoteMemory {
public:
    explicit RemoteMemory(pid_t pid) : pid_(pid) {}
    // The whole range or nothing (false, with errno set).
    bool Read(uint64_t address, void* out, size_t size) const;
    bool Write(uint64_t address, const void* data, size_t size) const;
    // A NUL-terminated text of at most maxLength characters; a longer one is cut there.
    std::optional<std::string> ReadText(uint64_t address, size_t maxLength) const;

private:
    pid_t pid_;
};

}  // namespace tvkdebug
