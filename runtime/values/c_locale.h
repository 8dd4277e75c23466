// The "C" locale, for number text that must not follow the process locale.
#pragma once

#include <locale.h>

namespace tvk {

locale_t CLocale();

// Switches the calling thread to the "C" locale while it lives.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

}  // namespace tvk
