#include "io/program_arguments.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(ProgramArguments, ReadsTheKnownOptions) {
    EXPECT_TRUE(ReadProgramArguments({}).error.empty());
    const auto pictures = ReadProgramArguments({"--screenshots", "/tmp/pictures"});
    EXPECT_TRUE(pictures.error.empty());
    EXPECT_EQ(pictures.arguments.screenshots, "/tmp/pictures");
    const auto exported = ReadProgramArguments({"--export", "/tmp/pictures", "filter.tv3", "--svg"});
    EXPECT_TRUE(exported.error.empty());
    EXPECT_EQ(exported.arguments.exportFolder, "/tmp/pictures");
    EXPECT_EQ(exported.arguments.exportFile, "filter.tv3");
    EXPECT_TRUE(exported.arguments.svg);
    EXPECT_FALSE(exported.arguments.png);
    EXPECT_TRUE(ReadProgramArguments({"-h"}).arguments.help);
    EXPECT_TRUE(ReadProgramArguments({"--help"}).arguments.help);
}

struct Refused {
    std::vector<std::string> arguments;
    std::string error;
};

TEST(ProgramArguments, RefusesWhatItDoesNotKnowAndNamesIt) {
    for (const Refused& c : {Refused{{"--bogus"}, "unknown option --bogus"},
                             Refused{{"--help", "-x"}, "unknown option -x"},
                             Refused{{"--screenshots"}, "--screenshots needs a folder"},
                             Refused{{"--screenshots", ""}, "--screenshots needs a folder"},
                             Refused{{"design.tv3"}, "unexpected argument design.tv3"},
                             Refused{{"--export", "/tmp/pictures"}, "--export needs a folder and a design file"},
                             Refused{{"--png"}, "--png goes with --export"}})
        EXPECT_EQ(ReadProgramArguments(c.arguments).error, c.error) << c.arguments.front();
}

TEST(ProgramArguments, UsageNamesEveryOption) {
    std::string usage;
    for (const std::string& line : ProgramUsage()) usage += line + "\n";
    for (const char* option : {"--screenshots FOLDER", "--export FOLDER FILE.tv3", "--svg", "--png", "--help"}) EXPECT_NE(usage.find(option), std::string::npos);
}

}  // namespace
}  // namespace tavrel
