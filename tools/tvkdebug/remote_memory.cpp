#include "remote_memory.h"

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tvkdebug {

bool RemoteMemory::Read(uint64_t address, void* out, size_t size) const {
    if (size == 0) return true;
    if (address == 0) {
        errno = EFAULT;
        return false;
    }
    iovec local{out, size};
    iovec remote{reinterpret_cast<void*>(static_cast<uintptr_t>(address)), size};
    ssize_t n = process_vm_readv(pid_, &local, 1, &remote, 1, 0);
    if (n >= 0 && static_cast<size_t>(n) != size) errno = EFAULT;
    return n >= 0 && static_cast<size_t>(n) == size;
}

bool RemoteMemory::Write(uint64_t address, const void* data, size_t size) const {
    if (size == 0) return true;
    if (address == 0) {
        errno = EFAULT;
        return false;
    }
    iovec local{const_cast<void*>(data), size};
    iovec remote{reinterpret_cast<void*>(static_cast<uintptr_t>(address)), size};
    ssize_t n = process_vm_writev(pid_, &local, 1, &remote, 1, 0);
    if (n >= 0 && static_cast<size_t>(n) != size) errno = EFAULT;
    return n >= 0 && static_cast<size_t>(n) == size;
}

std::optional<std::string> RemoteMemory::ReadText(uint64_t address, size_t maxLength) const {
    // Page by page, so that a text ending just before an unmapped page still reads.
    static const uint64_t kPage = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    std::string text;
    char chunk[256];
    while (text.size() < maxLength) {
        uint64_t toPageEnd = kPage - address % kPage;
        size_t size = static_cast<size_t>(std::min<uint64_t>({sizeof(chunk), toPageEnd, maxLength - text.size()}));
        if (!Read(address, chunk, size)) return text.empty() ? std::nullopt : std::optional<std::string>(text);
        const char* end = std::find(chunk, chunk + size, '\0');
        text.append(chunk, static_cast<size_t>(end - chunk));
        if (end != chunk + size) return text;
        address += size;
    }
    return text;
}

}  // namespace tvkdebug
