// Declared functions of other libraries, bound by name at start-up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/library_bindings.h"
#include "support/child_process.h"
#include "tarnvik/files.h"

namespace {

using MathFunction = double (*)(double);

class LibraryBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = tvk::test::MakeTempDir();
        setenv("TMPDIR", (dir_ + "/").c_str(), 1);
        tvk::ReleaseDeclarations();
    }
    void TearDown() override {
        tvk::ReleaseDeclarations();
        std::filesystem::remove_all(dir_);
    }
    std::string Log() { return tvk::test::ReadFile(dir_ + "/ErrorLog.txt"); }
    std::string dir_;
};

TEST_F(LibraryBindingTest, NamesThatDifferOnlyInCaseLoadTheLibraryOnce) {
    MathFunction cosine = nullptr, sine = nullptr;
    RegisterDeclaration("libm.so.6", "cos", &cosine);
    RegisterDeclaration("LIBM.SO.6", "sin", &sine);  // found through the first, lower-cased
    tvk::BindDeclarations();
    ASSERT_NE(cosine, nullptr);
    ASSERT_NE(sine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_DOUBLE_EQ(sine(0.0), 0.0);
    EXPECT_EQ(tvk::LoadedLibraryCount(), 1u);
    EXPECT_EQ(Log(), "");
}

TEST_F(LibraryBindingTest, AMissingLibraryIsReportedForEveryDeclarationThatNamesIt) {
    void* first = &first;
    MathFunction second = [](double x) { return x; };
    RegisterDeclaration("NoSuch-Library.so", "one", &first);
    EXPECT_EQ(first, nullptr) << "registration clears the slot";
    RegisterDeclaration("nosuch-library.so", "two", &second);
    tvk::BindDeclarations();
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(Log(), "DECLARE module not found: nosuch-library.so\r\n"
                     "DECLARE module not found: nosuch-library.so\r\n");
    EXPECT_EQ(tvk::LoadedLibraryCount(), 0u);
}

TEST_F(LibraryBindingTest, AMissingEntryLeavesItsSlotNull) {
    MathFunction missing = nullptr, present = nullptr;
    RegisterDeclaration("libm.so.6", "NoSuchEntry", &missing);
    RegisterDeclaration("libm.so.6", "COS", &present);  // entry names keep their case
    tvk::BindDeclarations();
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(present, nullptr);
    EXPECT_EQ(Log(), "DECLARE entry not found: NoSuchEntry\r\nDECLARE entry not found: COS\r\n");
}

TEST_F(LibraryBindingTest, IncompleteDeclarationsAreIgnored) {
    void* slot = &slot;
    RegisterDeclaration(nullptr, "cos", &slot);
    EXPECT_EQ(slot, nullptr);
    RegisterDeclaration("libm.so.6", nullptr, &slot);
    RegisterDeclaration("libm.so.6", "cos", static_cast<void**>(nullptr));
    tvk::BindDeclarations();
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(tvk::LoadedLibraryCount(), 0u);
    EXPECT_EQ(Log(), "");
}

}  // namespace
