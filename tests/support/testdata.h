// The picture suites the decoder tests read live outside the repository (TVK_TESTDATA_DIR).
// A clone without them still builds and passes: those tests skip and say why.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

namespace tvk::test {

inline bool TestDataPresent() { return std::filesystem::is_directory(TVK_TESTDATA_DIR); }

}  // namespace tvk::test

// First statement of every test that reads the test data.
#define TVK_NEED_TESTDATA()                                                                  \
    do {                                                                                     \
        if (!::tvk::test::TestDataPresent())                                                 \
            GTEST_SKIP() << "test data missing: " TVK_TESTDATA_DIR " (set TVK_TESTDATA_DIR)"; \
    } while (0)

namespace tvk::test {

inline bool RefDataPresent() { return std::filesystem::is_directory(TVK_REFDATA_DIR); }

}  // namespace tvk::test

// First statement of every test that compares with a reference table.
#define TVK_NEED_REFDATA()                                                                 \
    do {                                                                                   \
        if (!::tvk::test::RefDataPresent())                                                \
            GTEST_SKIP() << "reference data missing: " TVK_REFDATA_DIR " (set TVK_REFDATA_DIR)"; \
    } while (0)
