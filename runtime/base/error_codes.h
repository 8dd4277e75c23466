// The codes commands record with SetErrorCode; GetErrorCode and ErrorText give them to the
// program. Only these numbers are recorded (the socket commands hand on the socket layer's
// own numbers). 0, 3, 7, 9 and 20 have texts of their own; the others read "unknown error".
#pragma once

#include <cstdint>

namespace tvk {

constexpr int32_t kErrorSuccess = 0;
constexpr int32_t kErrorNoSuchFile = 3;  // also a file that cannot be written or read as asked
constexpr int32_t kErrorOutOfMemory = 7;  // also a text too long to hold
// The same code for a number outside its table: a sprite slot, sound slot, font, file channel
// or text line.
constexpr int32_t kErrorOutOfRange = kErrorOutOfMemory;
constexpr int32_t kErrorNotOneDimensional = 8;  // an array used as a list had more dimensions
// Also a text (INI, line file) that cannot be written back.
constexpr int32_t kErrorOutOfBounds = 9;
constexpr int32_t kErrorOutOfData = 20;           // read past the end of the program's data
constexpr int32_t kErrorAssertionFailed = 21;
constexpr int32_t kErrorInvalidArgument = 22;     // no thread function, no such thread or lock

}  // namespace tvk
