// Every test runs in a fresh working folder of its own, removed after it, so that no verdict
// depends on the files another test, run before it or beside it, left in a shared folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace {

class OwnFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        original_ = std::filesystem::current_path();
        std::string pattern = std::filesystem::temp_directory_path() / "calbrine-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
            std::filesystem::current_path(folder_);
        }
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::error_code ignored;
        std::filesystem::current_path(original_, ignored);
        if (!folder_.empty()) {
            std::filesystem::remove_all(folder_, ignored);
        }
        folder_.clear();
    }

    std::filesystem::path original_, folder_;
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new OwnFolder);
    return true;
}();

}  // namespace

// Whatever ran before, a test starts in an empty folder that is not the one it was started in.
TEST(OwnFolder, EveryTestStartsInAnEmptyFolderOfItsOwn) {
    const std::filesystem::path here = std::filesystem::current_path();
    EXPECT_TRUE(std::filesystem::is_empty(here)) << here;
    EXPECT_EQ(here.filename().string().rfind("calbrine-test-", 0), 0u) << here;
}
