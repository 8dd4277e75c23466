// Two-letter language codes from Windows language identifiers.
#pragma once

#include <string>

namespace tvk {

// The code PlatformInfo("LOCALE") answers for a language identifier.
std::string LocaleCode(int languageId);

}  // namespace tvk
