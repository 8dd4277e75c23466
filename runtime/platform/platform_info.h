// Facts about the machine and the user's desktop, for the platform information builtin.
#pragma once

#include <cstdint>
#include <string>

namespace tvk::platform {

// A 32-bit number fixed for this machine (folded from /etc/machine-id); false when none exists.
bool MachineSerial(uint32_t& serial);
// The first battery's charge in percent (0..100); 255 when the machine reports no battery.
int BatteryPercent();
// The user-interface language as a Windows language identifier, taken from LC_ALL, LC_MESSAGES
// or LANG (the first that is set); 1033 (U.S. English) for the C locale or an unknown language.
int UiLanguageId();
// The same mapping for one locale name such as "de_DE.UTF-8" or "sr_RS@latin".
int LanguageIdOfLocale(const std::string& locale);
// The user's documents folder in the runtime's code page, "" when there is none.
std::string DocumentsDirectory();
// Local time broken into fields; false when the clock cannot be read.
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
bool CurrentLocalTime(LocalTime& time);
// Every environment entry (NAME=value), in the environment's order.
std::string EnvironmentBlock(char separator);
// Sets (or, for an empty value, removes) one variable.
bool SetEnvironment(const std::string& name, const std::string& value);

}  // namespace tvk::platform

namespace tvk::platform {

// Whether the GL library exports an entry point of that name. The window system's own lookup
// hands out stubs for any name beginning with "gl", so it cannot tell on its own.
bool GlEntryPointExported(const char* name);

}  // namespace tvk::platform
