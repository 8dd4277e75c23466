#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform_info.h"
#include "tarnvik/values.h"
#include "values/platform_info_locale.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
        if (value) setenv(name, value, 1); else unsetenv(name);
    }
    ~ScopedEnv() {
        if (hadOld_) setenv(name_.c_str(), old_.c_str(), 1); else unsetenv(name_.c_str());
    }

private:
    std::string name_, old_;
    bool hadOld_ = false;
};

std::string Locale(const char* lcAll, const char* lang = nullptr) {
    ScopedEnv all("LC_ALL", lcAll), messages("LC_MESSAGES", nullptr), language("LANG", lang);
    return PlatformInfo("locale").c_str();
}

TEST(PlatformInfo, FixedKeysAndTheKeyVariableBecomesUpperCase) {
    EXPECT_STREQ(PlatformInfo("").c_str(), "LINUX");
    RtString key("device");
    EXPECT_STREQ(PlatformInfo(key).c_str(), "DESKTOP");
    EXPECT_STREQ(key.c_str(), "DEVICE");
    EXPECT_STREQ(PlatformInfo("no such key").c_str(), "NO_DATA");
    EXPECT_STREQ(PlatformInfo("GLEXT:glNoSuchFunction").c_str(), "0");
    SetProgramStamp("Mar 22 2011-13:29:49", "0a1b2c3d");
    EXPECT_STREQ(PlatformInfo("compiled").c_str(), "Mar 22 2011-13:29:49");
    EXPECT_STREQ(PlatformInfo("HostId").c_str(), "0a1b2c3d");
}

TEST(PlatformInfo, LocaleFollowsTheLanguageIdentifierRules) {
    EXPECT_EQ(Locale("de_DE.UTF-8"), "de");
    EXPECT_EQ(Locale("de_AT.UTF-8"), "de");
    EXPECT_EQ(Locale("en_US.UTF-8"), "uk");
    EXPECT_EQ(Locale("en_GB.UTF-8"), "us");
    EXPECT_EQ(Locale("en_AU"), "us");
    EXPECT_EQ(Locale("el_GR.UTF-8"), "gr");
    EXPECT_EQ(Locale("ja_JP.UTF-8"), "jp");
    EXPECT_EQ(Locale("zh_TW.UTF-8"), "ch");
    EXPECT_EQ(Locale("zh_CN.UTF-8"), "ch");
    EXPECT_EQ(Locale("zh_HK.UTF-8"), "zh");
    EXPECT_EQ(Locale("uk_UA.UTF-8"), "uk");
    EXPECT_EQ(Locale("sr_RS@latin"), "sr");
    EXPECT_EQ(Locale("C"), "uk");           // the C locale counts as U.S. English
    EXPECT_EQ(Locale("tlh_XX"), "uk");      // so does a language Windows has no number for
    EXPECT_EQ(Locale("cy_GB.UTF-8"), "us");  // a known language missing from the code table
    EXPECT_EQ(Locale(nullptr, "fr_CA.UTF-8"), "fr");  // LANG when LC_ALL is unset
}

TEST(PlatformInfo, LocaleCodesFromIdentifiers) {
    EXPECT_EQ(tvk::LocaleCode(1031), "de");
    EXPECT_EQ(tvk::LocaleCode(1033), "uk");
    EXPECT_EQ(tvk::LocaleCode(2057), "us");
    EXPECT_EQ(tvk::LocaleCode(1032), "gr");
    EXPECT_EQ(tvk::LocaleCode(5124), "zh");
    EXPECT_EQ(tvk::LocaleCode(9999), "us");
    EXPECT_EQ(tvk::platform::LanguageIdOfLocale("es_ES.UTF-8"), 3082);
    EXPECT_EQ(tvk::platform::LanguageIdOfLocale("pt_BR"), 1046);
    EXPECT_EQ(tvk::platform::LanguageIdOfLocale("nb_NO.UTF-8"), 1044);
}

TEST(PlatformInfo, IdentifierIsStableUpperCaseHex) {
    std::string id = PlatformInfo("ID").c_str();
    EXPECT_EQ(id.size(), 8u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(id, std::string(PlatformInfo("id").c_str()));
}

TEST(PlatformInfo, TimeHasTheFixedLayout) {
    std::string time = PlatformInfo("TIME").c_str();
    ASSERT_EQ(time.size(), 19u);
    EXPECT_EQ(time[4], '-');
    EXPECT_EQ(time[7], '-');
    EXPECT_EQ(time[10], ' ');
    EXPECT_EQ(time[13], ':');
    EXPECT_EQ(time[16], ':');
}

TEST(PlatformInfo, BatteryIsAPercentage) {
    int percent = std::atoi(PlatformInfo("BATTERY").c_str());
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
}

TEST(PlatformInfo, TempAndDocumentsFolders) {
    {
        ScopedEnv temp("TEMP", "/some/where"), tmpdir("TMPDIR", nullptr);
        EXPECT_STREQ(PlatformInfo("TEMP").c_str(), "/some/where");
    }
    {
        ScopedEnv temp("TEMP", ""), tmpdir("TMPDIR", nullptr);
        EXPECT_STREQ(PlatformInfo("temp").c_str(), "/tmp");
    }
    char dir[] = "/tmp/tvk_docs_XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    std::string config = std::string(dir) + "/config";
    ASSERT_EQ(system(("mkdir -p " + config).c_str()), 0);
    FILE* dirs = std::fopen((config + "/user-dirs.dirs").c_str(), "w");
    ASSERT_TRUE(dirs);
    std::fputs("# written by a test\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n", dirs);
    std::fclose(dirs);
    {
        ScopedEnv home("HOME", dir), configHome("XDG_CONFIG_HOME", config.c_str());
        EXPECT_EQ(std::string(PlatformInfo("DOCUMENTS").c_str()), std::string(dir) + "/Papiere");
    }
    {
        ScopedEnv home("HOME", dir), configHome("XDG_CONFIG_HOME", "/nonexistent");
        EXPECT_EQ(std::string(PlatformInfo("DOCUMENTS").c_str()), std::string(dir));
    }
    {
        ScopedEnv home("HOME", nullptr), configHome("XDG_CONFIG_HOME", nullptr);
        EXPECT_STREQ(PlatformInfo("DOCUMENTS").c_str(), "NO_DATA");
    }
    EXPECT_EQ(system(("rm -rf " + std::string(dir)).c_str()), 0);
}

TEST(Environment, SetEnvThenGetEnvAndTheWholeEnvironment) {
    RtString name("TVK_PATHX");
    SetEnv(name, "1");
    EXPECT_STREQ(name.c_str(), "TVK_PATHX");  // the name variable is left alone
    EXPECT_STREQ(GetEnv("TVK_PATHX").c_str(), "1");
    SetEnv(name, "2");
    EXPECT_STREQ(GetEnv("TVK_PATHX").c_str(), "2");
    std::string all = GetEnv("").c_str();
    EXPECT_NE(all.find("TVK_PATHX=2\n"), std::string::npos);
    EXPECT_EQ(all.back(), '\n');
    SetEnv(name, "");
    EXPECT_STREQ(GetEnv("TVK_PATHX").c_str(), "");
    EXPECT_EQ(std::string(GetEnv("").c_str()).find("TVK_PATHX="), std::string::npos);
}

}  // namespace
