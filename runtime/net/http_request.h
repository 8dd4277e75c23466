// The one request a download sends. The host and path go in unchanged, so bytes that would end
// the request line or a header early (or split the host name) make the request impossible.
#pragma once

#include <string>

namespace tvk {

// "GET path HTTP/1.0\r\nHost:host\r\nAccept: */*\r\nUser-Agent: Tarnvik\r\n\r\n" into request.
// False (request untouched) when the path holds a control byte (below 32, or 127) or the host a
// control byte or a space. Spaces and bytes from 128 up in the path pass as they are.
bool BuildHttpRequest(const std::string& host, const std::string& path, std::string& request);

}  // namespace tvk
