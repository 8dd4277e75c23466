#include <dirent.h>
#include <dlfcn.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/platform_info.h"
#include "platform/text_encoding.h"

extern char** environ;

namespace tvk::platform {

namespace {

std::string FirstLineOf(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    if (in) std::getline(in, line);
    return line;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Windows primary language numbers by ISO 639 code.
struct PrimaryLanguage {
    const char* code;
    int primary;
};
constexpr PrimaryLanguage kPrimaryLanguages[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"hu", 0x0E},
    {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14}, {"no", 0x14},
    {"nn", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"rm", 0x17}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A},
    {"sr", 0x1A}, {"bs", 0x1A}, {"sk", 0x1B}, {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F},
    {"ur", 0x20}, {"id", 0x21}, {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26},
    {"lt", 0x27}, {"tg", 0x28}, {"fa", 0x29}, {"vi", 0x2A}, {"hy", 0x2B}, {"az", 0x2C}, {"eu", 0x2D},
    {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37}, {"fo", 0x38}, {"hi", 0x39}, {"mt", 0x3A}, {"ga", 0x3C},
    {"ms", 0x3E}, {"kk", 0x3F}, {"ky", 0x40}, {"sw", 0x41}, {"tk", 0x42}, {"uz", 0x43}, {"tt", 0x44},
    {"bn", 0x45}, {"pa", 0x46}, {"gu", 0x47}, {"or", 0x48}, {"ta", 0x49}, {"te", 0x4A}, {"kn", 0x4B},
    {"ml", 0x4C}, {"as", 0x4D}, {"mr", 0x4E}, {"sa", 0x4F}, {"mn", 0x50}, {"cy", 0x52}, {"km", 0x53},
    {"lo", 0x54}, {"gl", 0x56}, {"syr", 0x5A}, {"dv", 0x65},
};

// Sub-languages other than the default one (1), by language, territory and modifier.
struct SubLanguage {
    const char* locale;  // language + "_" + territory, or language + "@" + modifier
    int sub;
};
constexpr SubLanguage kSubLanguages[] = {
    {"ar_IQ", 2},  {"ar_EG", 3},  {"ar_LY", 4},  {"ar_DZ", 5},  {"ar_MA", 6},  {"ar_TN", 7},
    {"ar_OM", 8},  {"ar_YE", 9},  {"ar_SY", 10}, {"ar_JO", 11}, {"ar_LB", 12}, {"ar_KW", 13},
    {"ar_AE", 14}, {"ar_BH", 15}, {"ar_QA", 16}, {"zh_CN", 2},  {"zh_HK", 3},  {"zh_SG", 4},
    {"zh_MO", 5},  {"de_CH", 2},  {"de_AT", 3},  {"de_LU", 4},  {"de_LI", 5},  {"en_GB", 2},
    {"en_AU", 3},  {"en_CA", 4},  {"en_NZ", 5},  {"en_IE", 6},  {"en_ZA", 7},  {"en_JM", 8},
    {"en_BZ", 10}, {"en_TT", 11}, {"en_ZW", 12}, {"en_PH", 13}, {"es_MX", 2},  {"es_ES", 3},
    {"es_GT", 4},  {"es_CR", 5},  {"es_PA", 6},  {"es_DO", 7},  {"es_VE", 8},  {"es_CO", 9},
    {"es_PE", 10}, {"es_AR", 11}, {"es_EC", 12}, {"es_CL", 13}, {"es_UY", 14}, {"es_PY", 15},
    {"es_BO", 16}, {"es_SV", 17}, {"es_HN", 18}, {"es_NI", 19}, {"es_PR", 20}, {"fr_BE", 2},
    {"fr_CA", 3},  {"fr_CH", 4},  {"fr_LU", 5},  {"fr_MC", 6},  {"it_CH", 2},  {"nl_BE", 2},
    {"nn_NO", 2},  {"nn", 2},     {"pt_PT", 2},  {"sv_FI", 2},  {"ur_IN", 2},  {"ms_BN", 2},
    {"uz@cyrillic", 2}, {"az@cyrillic", 2}, {"sr@latin", 2}, {"sr_RS", 3}, {"sr_ME", 3},
    {"bs_BA", 5},  {"lt@classic", 2},
};

}  // namespace

bool MachineSerial(uint32_t& serial) {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::string id = FirstLineOf(path);
        uint32_t folded = 0;
        int digits = 0;
        for (size_t i = 0; i < id.size(); ++i) {
            int value = HexDigitValue(id[i]);
            if (value < 0) break;
            // Each group of eight digits is one word; the words are XORed together.
            folded ^= uint32_t(value) << (28 - 4 * (digits % 8));
            ++digits;
        }
        if (digits >= 8) {
            serial = folded;
            return true;
        }
    }
    return false;
}

int BatteryPercent() {
    const std::string root = "/sys/class/power_supply/";
    DIR* dir = opendir(root.c_str());
    if (!dir) return 255;
    int percent = 255;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::string supply = root + entry->d_name + "/";
        if (FirstLineOf(supply + "type") != "Battery") continue;
        std::string capacity = FirstLineOf(supply + "capacity");
        if (capacity.empty() || !std::isdigit(static_cast<unsigned char>(capacity[0]))) continue;
        percent = std::atoi(capacity.c_str());
        break;
    }
    closedir(dir);
    return percent;
}

int LanguageIdOfLocale(const std::string& locale) {
    // language[_territory][.codeset][@modifier]
    size_t languageEnd = locale.find_first_of("_.@");
    std::string language = locale.substr(0, languageEnd);
    std::string territory, modifier;
    if (languageEnd != std::string::npos && locale[languageEnd] == '_') {
        size_t end = locale.find_first_of(".@", languageEnd);
        territory = locale.substr(languageEnd + 1, end == std::string::npos ? std::string::npos : end - languageEnd - 1);
    }
    if (size_t at = locale.find('@'); at != std::string::npos) modifier = locale.substr(at + 1);

    int primary = 0;
    for (const PrimaryLanguage& entry : kPrimaryLanguages) {
        if (language == entry.code) primary = entry.primary;
    }
    if (!primary) return 1033;
    int sub = 1;
    const std::string withTerritory = language + "_" + territory;
    const std::string withModifier = language + "@" + modifier;
    for (const SubLanguage& entry : kSubLanguages) {
        if ((!modifier.empty() && withModifier == entry.locale) ||
            (modifier.empty() && !territory.empty() && withTerritory == entry.locale) ||
            (modifier.empty() && language == entry.locale)) {
            sub = entry.sub;
            break;
        }
    }
    return sub << 10 | primary;
}

int UiLanguageId() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return LanguageIdOfLocale(value);
    }
    return 1033;
}

std::string DocumentsDirectory() {
    const char* home = std::getenv("HOME");
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string config = configHome && *configHome ? std::string(configHome) : home ? std::string(home) + "/.config" : "";
    std::string folder;
    if (!config.empty()) {
        std::ifstream in(config + "/user-dirs.dirs");
        std::string line;
        const std::string key = "XDG_DOCUMENTS_DIR=\"";
        while (std::getline(in, line)) {
            if (line.compare(0, key.size(), key) != 0) continue;
            size_t end = line.find('"', key.size());
            folder = line.substr(key.size(), end == std::string::npos ? std::string::npos : end - key.size());
            if (folder.compare(0, 5, "$HOME") == 0) folder = (home ? home : "") + folder.substr(5);
            if (!folder.empty() && folder[0] != '/') folder.clear();  // only absolute paths are valid
        }
    }
    // Without an entry the desktop's convention is the home folder itself.
    if (folder.empty() && home && *home) folder = home;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return Utf8ToLatin1(folder.c_str());
}

bool CurrentLocalTime(LocalTime& time) {
    std::time_t now = std::time(nullptr);
    std::tm fields{};
    if (now == static_cast<std::time_t>(-1) || !localtime_r(&now, &fields)) return false;
    time.year = fields.tm_year + 1900;
    time.month = fields.tm_mon + 1;
    time.day = fields.tm_mday;
    time.hour = fields.tm_hour;
    time.minute = fields.tm_min;
    time.second = fields.tm_sec;
    return true;
}

std::string EnvironmentBlock(char separator) {
    std::string block;
    for (char** entry = environ; entry && *entry; ++entry) {
        block += *entry;
        block += separator;
    }
    return block;
}

bool SetEnvironment(const std::string& name, const std::string& value) {
    if (name.empty() || name.find('=') != std::string::npos) return false;
    if (value.empty()) return unsetenv(name.c_str()) == 0;
    return setenv(name.c_str(), value.c_str(), 1) == 0;
}

bool GlEntryPointExported(const char* name) { return name && *name && dlsym(RTLD_DEFAULT, name) != nullptr; }

}  // namespace tvk::platform
