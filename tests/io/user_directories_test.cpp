// The folders of the settings and the inventory: the XDG rules, the template copy, and the
// data folder taking the inventory where the program's folder is not writable.
#include "io/user_directories.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "io/inventory_file.h"
#include "io/settings_file.h"
#include "support/case_name.h"
#include "support/child_process.h"
#include "support/scratch_directory.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadWholeFile;
using testing_support::ScratchDirectory;
using testing_support::WriteWholeFile;

struct FolderCase {
    const char* name;
    const char* xdg;
    const char* home;
    const char* config;  // nullptr: none
    const char* data;
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class UserFolders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UserFolders, FollowTheXdgRules) {
    const FolderCase& c = GetParam();
    const auto config = ConfigDirectory(c.xdg, c.home);
    const auto data = DataDirectory(c.xdg, c.home);
    ASSERT_EQ(config.has_value(), c.config != nullptr);
    if (!c.config) return;
    EXPECT_EQ(*config, fs::path(c.config));
    EXPECT_EQ(*data, fs::path(c.data));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFolders,
    ::testing::Values(FolderCase{"variable set", "/x/cfg", "/home/u", "/x/cfg/tavrel", "/x/cfg/tavrel"},
                      FolderCase{"variable empty", "", "/home/u", "/home/u/.config/tavrel",
                                 "/home/u/.local/share/tavrel"},
                      FolderCase{"variable relative", "cfg", "/home/u", "/home/u/.config/tavrel",
                                 "/home/u/.local/share/tavrel"},
                      FolderCase{"no variable", nullptr, "/home/u", "/home/u/.config/tavrel",
                                 "/home/u/.local/share/tavrel"},
                      FolderCase{"no home", nullptr, nullptr, nullptr, nullptr},
                      FolderCase{"relative home", nullptr, "home", nullptr, nullptr}),
    testing_support::PrintedName());

TEST(SettingsFileLocation, IsMadeFromTheTemplateLineByLine) {
    ScratchDirectory dir;
    const fs::path templateFile = dir / "TVR30.INI";
    WriteWholeFile(templateFile, "[General]\r\nZoomX=6\r\n");
    const auto file = PrepareSettingsFile(dir / "config" / "tavrel", templateFile);
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, dir / "config" / "tavrel" / kSettingsFileName);
    EXPECT_EQ(ReadWholeFile(*file), "[General]\nZoomX=6\n");
    // An existing file is the user's: it is not copied over.
    WriteWholeFile(*file, "[General]\nZoomX=9\n");
    PrepareSettingsFile(dir / "config" / "tavrel", templateFile);
    EXPECT_EQ(ReadWholeFile(*file), "[General]\nZoomX=9\n");
}

TEST(SettingsFileLocation, WithoutATemplateTheFileIsLeftToTheExit) {
    ScratchDirectory dir;
    const auto file = PrepareSettingsFile(dir / "tavrel", dir / "none" / "TVR30.INI");
    ASSERT_TRUE(file);
    EXPECT_TRUE(fs::is_directory(dir / "tavrel"));
    EXPECT_FALSE(fs::exists(*file));
}

TEST(SettingsFileLocation, NothingWhereNoFolderCanBeFoundOrMade) {
    ScratchDirectory dir;
    EXPECT_FALSE(PrepareSettingsFile(std::nullopt, dir / "TVR30.INI"));
    WriteWholeFile(dir / "plain", "a file where the folder should go");
    EXPECT_FALSE(PrepareSettingsFile(dir / "plain" / "tavrel", dir / "TVR30.INI"));
}

TEST(InventoryLocation, BesideTheProgramWhereThatIsWritable) {
    ScratchDirectory dir;
    EXPECT_EQ(InventoryFilePath(dir.path(), dir / "data"), dir / kInventoryFileName);
    EXPECT_FALSE(fs::exists(dir / "data"));
}

TEST(InventoryLocation, InTheDataFolderWhereTheProgramFolderIsNotWritable) {
    ScratchDirectory dir;
    const fs::path program = dir / "bin";
    const fs::path userData = dir / "share";
    fs::create_directory(program);
    fs::create_directory(userData);
    ASSERT_EQ(chmod(program.c_str(), 0755), 0);  // root's, not the unprivileged user's
    ASSERT_EQ(chmod(userData.c_str(), 0777), 0);
    const std::string chosen = testing_support::RunInChild(testing_support::AsUnprivilegedUser, [&] {
        return InventoryFilePath(program, userData / "tavrel").string();
    });
    EXPECT_EQ(chosen, (userData / "tavrel" / kInventoryFileName).string());
    EXPECT_TRUE(fs::is_directory(userData / "tavrel"));
    // Without a data folder it stays beside the program, to be read only.
    const std::string fallback = testing_support::RunInChild(testing_support::AsUnprivilegedUser, [&] {
        return InventoryFilePath(program, std::nullopt).string();
    });
    EXPECT_EQ(fallback, (program / kInventoryFileName).string());
}

}  // namespace
}  // namespace tavrel
