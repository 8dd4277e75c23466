// Data the tests read but the repository does not hold: the picture suites (TVK_TESTDATA_DIR)
// and the reference tables (TVK_REFDATA_DIR). A clone without them still builds and passes:
// those tests skip and say why.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

namespace tvk::test {

inline bool TestDataPresent() { return std::filesystem::is_directory(TVK_TESTDATA_DIR); }
inline bool RefDataPresent() { return std::filesystem::is_directory(TVK_REFDATA_DIR); }

}  // namespace tvk::test

#define TVK_NEED_DIRECTORY(present, dir, what, variable)                            \
    do {                                                                            \
        if (!(present)) GTEST_SKIP() << what " missing: " dir " (set " variable ")"; \
    } while (0)

// First statement of every test that reads the picture suites.
#define TVK_NEED_TESTDATA() \
    TVK_NEED_DIRECTORY(::tvk::test::TestDataPresent(), TVK_TESTDATA_DIR, "test data", "TVK_TESTDATA_DIR")
// First statement of every test that compares with a reference table.
#define TVK_NEED_REFDATA() \
    TVK_NEED_DIRECTORY(::tvk::test::RefDataPresent(), TVK_REFDATA_DIR, "reference data", "TVK_REFDATA_DIR")
