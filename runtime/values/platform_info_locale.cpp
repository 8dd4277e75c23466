#include <cctype>
#include <cstring>

#include "values/platform_info_locale.h"

namespace tvk {

namespace {

struct LanguageCodeEntry {
    const char* code;
    int ids[20];  // zero-terminated unless full
};

// Codes before lower-casing. "UK" covers both U.S. English and Ukrainian; the English variants
// are "EN", which the renaming below turns into "us".
constexpr LanguageCodeEntry kLanguageCodes[] = {
    {"AR", {1025, 2049, 3073, 4097, 5121, 6145, 7169, 8193, 9217, 10241, 11265, 12289, 13313, 14337, 15361, 16385}},
    {"BG", {1026}},
    {"CA", {1027}},
    {"CH", {1028, 2052}},
    {"CS", {1029}},
    {"DA", {1030}},
    {"DE", {1031, 2055, 3079, 4103, 5127}},
    {"EL", {1032}},
    {"UK", {1033, 1058}},
    {"ES", {1034, 2058, 3082, 4106, 5130, 6154, 7178, 8202, 9226, 10250, 11274, 12298, 13322, 14346, 15370, 16394,
            17418, 18442, 19466, 20490}},
    {"FI", {1035}},
    {"FR", {1036, 2060, 3084, 4108, 5132, 6156}},
    {"HE", {1037}},
    {"HU", {1038}},
    {"IS", {1039}},
    {"IT", {1040, 2064}},
    {"JP", {1041}},
    {"KO", {1042}},
    {"NL", {1043, 2067}},
    {"NO", {1044, 2068}},
    {"PL", {1045}},
    {"PT", {1046, 2070}},
    {"RO", {1048}},
    {"RU", {1049}},
    {"HR", {1050}},
    {"SK", {1051}},
    {"SQ", {1052}},
    {"SV", {1053, 2077}},
    {"TH", {1054}},
    {"TR", {1055}},
    {"UR", {1056, 2080}},
    {"IN", {1057}},
    {"BE", {1059, 1093}},
    {"SL", {1060}},
    {"ET", {1061}},
    {"LV", {1062}},
    {"LT", {1063, 2087}},
    {"FA", {1065}},
    {"VI", {1066}},
    {"HY", {1067}},
    {"AZ", {1068, 2092}},
    {"EU", {1069}},
    {"MK", {1071}},
    {"AF", {1078}},
    {"KA", {1079, 1099}},
    {"FO", {1080}},
    {"HI", {1081}},
    {"MS", {1086, 2110}},
    {"KK", {1087}},
    {"KY", {1088}},
    {"SW", {1089}},
    {"UZ", {1091, 2115}},
    {"TT", {1092}},
    {"PA", {1094}},
    {"GU", {1095}},
    {"OR", {1096}},
    {"TA", {1097}},
    {"TE", {1098}},
    {"MA", {1100, 1102}},
    {"AS", {1101}},
    {"SA", {1103}},
    {"MO", {1104}},
    {"GL", {1110}},
    {"KN", {1111}},
    {"SY", {1114}},
    {"DI", {1125}},
    {"EN", {2057, 3081, 4105, 5129, 6153, 7177, 8201, 9225, 10249, 11273, 12297, 13321}},
    {"SR", {2074, 3098}},
    {"ZH", {3076, 4100, 5124}},
};

const char* CodeOfLanguage(int languageId) {
    for (const LanguageCodeEntry& entry : kLanguageCodes) {
        for (int id : entry.ids) {
            if (id == 0) break;
            if (id == languageId) return entry.code;
        }
    }
    return "us";
}

}  // namespace

std::string LocaleCode(int languageId) {
    std::string code = CodeOfLanguage(languageId);
    for (char& c : code) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (code == "eng" || code == "english-uk") code = "uk";
    if (code.size() > 2) code.resize(2);
    static const char* const kRenamed[][2] = {{"c", "us"},  {"el", "gr"}, {"du", "nl"}, {"am", "us"},
                                              {"en", "us"}, {"ja", "jp"}, {"po", "pl"}};
    for (const auto& rename : kRenamed) {
        if (code == rename[0]) {
            code = rename[1];
            break;
        }
    }
    return code.size() == 2 ? code : "us";
}

}  // namespace tvk
