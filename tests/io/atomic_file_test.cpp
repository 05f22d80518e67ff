#include "io/atomic_file.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

#include <gtest/gtest.h>

#include "support/child_process.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

using testing_support::kNobody;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void MakeFile(const fs::path& path, const std::string& content, mode_t mode) {
    std::ofstream(path, std::ios::binary) << content;
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
}

struct stat StatusOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

// The names in a directory, sorted: a temporary file left behind shows up here.
std::vector<std::string> Entries(const fs::path& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Outcome(const std::optional<FileWriteError>& error) {
    return error ? error->message + " / " + error->reason : "written";
}

// Runs the write in a forked child, after `prepare` has put on it what this process must not
// take (another user, a file size limit), and returns the child's Outcome. An alarm ends a child
// that blocks, as opening a FIFO would.
std::string WriteInChild(const fs::path& path, const std::string& bytes, const std::function<bool()>& prepare) {
    return testing_support::RunInChild(prepare, [&] { return Outcome(WriteFileAtomically(path, bytes)); });
}

bool AsIs() { return true; }

using testing_support::AsUnprivilegedUser;

// Writes beyond this size fail with EFBIG, a failure in the middle of the content.
bool WithFileSizeLimit() {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16, 16};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// A fresh directory per test, removed afterwards together with whatever a test made read-only.
class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavrel-io-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        // The unprivileged child must reach the files inside.
        fs::permissions(dir_, fs::perms(0755));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir_, ignored)) {
            if (entry.symlink_status().type() == fs::file_type::directory)
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
};

TEST_F(AtomicFileTest, NewFileHasItsLinesAndTheUmaskMode) {
    const mode_t saved = umask(027);
    const std::optional<FileWriteError> error = WriteLinesAtomically(dir_ / "new.cir", {"* first", "", "last"});
    umask(saved);
    EXPECT_EQ(Outcome(error), "written");
    EXPECT_EQ(ReadFile(dir_ / "new.cir"), "* first\n\nlast\n");
    EXPECT_EQ(StatusOf(dir_ / "new.cir").st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"new.cir"});
}

class ReplacedFileTest : public AtomicFileTest, public ::testing::WithParamInterface<mode_t> {};

TEST_P(ReplacedFileTest, KeepsModeAndOwnerAndGetsNewContent) {
    const fs::path path = dir_ / "old.cir";
    MakeFile(path, "old content that is longer than the new", GetParam());
    // Run as root, the old file belongs to someone else, whom the new one must keep.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    const struct stat old = StatusOf(path);
    const std::vector<std::uint8_t> bytes{'n', 0, 0xff, '\n'};

    EXPECT_EQ(Outcome(WriteFileAtomically(path, bytes)), "written");
    EXPECT_EQ(ReadFile(path), std::string("n\0\xff\n", 4));
    const struct stat now = StatusOf(path);
    EXPECT_EQ(now.st_mode & 07777, GetParam());
    EXPECT_EQ(now.st_uid, old.st_uid);
    EXPECT_EQ(now.st_gid, old.st_gid);
    EXPECT_NE(now.st_ino, old.st_ino) << "rewritten in place instead of replaced";
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"old.cir"});
}

INSTANTIATE_TEST_SUITE_P(Modes, ReplacedFileTest, ::testing::Values(0640, 0755),
                         [](const ::testing::TestParamInfo<mode_t>& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "Mode%04o", static_cast<unsigned>(info.param));
                             return std::string(name);
                         });

TEST_F(AtomicFileTest, SymbolicLinkIsFollowedFromItsOwnDirectory) {
    fs::create_directories(dir_ / "links");
    fs::create_directories(dir_ / "files");
    MakeFile(dir_ / "files" / "target.cir", "old", 0644);
    fs::create_symlink("../files/target.cir", dir_ / "links" / "link.cir");

    EXPECT_EQ(Outcome(WriteFileAtomically(dir_ / "links" / "link.cir", "new")), "written");
    EXPECT_EQ(ReadFile(dir_ / "files" / "target.cir"), "new");
    EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "link.cir"));
    EXPECT_EQ(fs::read_symlink(dir_ / "links" / "link.cir"), "../files/target.cir");
    EXPECT_EQ(Entries(dir_ / "links"), std::vector<std::string>{"link.cir"});
    EXPECT_EQ(Entries(dir_ / "files"), std::vector<std::string>{"target.cir"});
}

TEST_F(AtomicFileTest, DanglingLinkWritesTheFileItNames) {
    fs::create_symlink("made.cir", dir_ / "link.cir");

    EXPECT_EQ(Outcome(WriteFileAtomically(dir_ / "link.cir", "new")), "written");
    EXPECT_EQ(ReadFile(dir_ / "made.cir"), "new");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "made.cir")));
    EXPECT_EQ(fs::read_symlink(dir_ / "link.cir"), "made.cir");
}

struct NonRegularCase {
    const char* name;
    fs::file_type type;
    std::function<bool(const fs::path&)> make;
};

void PrintTo(const NonRegularCase& kind, std::ostream* out) { *out << kind.name; }

bool MakeSocket(const fs::path& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.string().size() >= sizeof address.sun_path) return false;
    std::strcpy(address.sun_path, path.c_str());
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

const NonRegularCase kNonRegularCases[] = {
    {"Fifo", fs::file_type::fifo, [](const fs::path& p) { return mkfifo(p.c_str(), 0666) == 0; }},
    {"Socket", fs::file_type::socket, MakeSocket},
    {"Directory", fs::file_type::directory, [](const fs::path& p) { return fs::create_directory(p); }},
};

class NonRegularTargetTest : public AtomicFileTest, public ::testing::WithParamInterface<NonRegularCase> {};

// In a child, so that a writer that opens the FIFO blocks there and is ended by the alarm.
TEST_P(NonRegularTargetTest, IsRefusedAndLeftAlone) {
    const fs::path path = dir_ / "target";
    ASSERT_TRUE(GetParam().make(path));

    EXPECT_EQ(WriteInChild(path, "new", AsIs), "cannot write " + path.string() + " / not a regular file");
    EXPECT_EQ(fs::symlink_status(path).type(), GetParam().type);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"target"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, NonRegularTargetTest, ::testing::ValuesIn(kNonRegularCases),
                         [](const ::testing::TestParamInfo<NonRegularCase>& info) { return info.param.name; });

class LongNameTest : public AtomicFileTest, public ::testing::WithParamInterface<std::size_t> {};

// Names near the limit of 255: a temporary name made by appending to them would be too long.
TEST_P(LongNameTest, IsWritten) {
    const std::string name = std::string(GetParam() - 4, 'n') + ".cir";

    EXPECT_EQ(Outcome(WriteFileAtomically(dir_ / name, "new")), "written");
    EXPECT_EQ(ReadFile(dir_ / name), "new");
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongNameTest, ::testing::Values(249, 255),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             return "Length" + std::to_string(info.param);
                         });

// The directory lets anyone create and rename files, so only the file's own permission stops
// the writer from replacing it.
TEST_F(AtomicFileTest, UnwritableFileIsRefusedAndLeftAlone) {
    fs::permissions(dir_, fs::perms(0777));
    const fs::path path = dir_ / "locked.cir";
    MakeFile(path, "old", 0444);

    EXPECT_EQ(WriteInChild(path, "new", AsUnprivilegedUser), "cannot write " + path.string() + " / Permission denied");
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"locked.cir"});
}

// The file itself may be written, but the directory takes no temporary file.
TEST_F(AtomicFileTest, DirectoryWithoutRoomForTheTemporaryLeavesTheOldFile) {
    const fs::path sealed = dir_ / "sealed";
    fs::create_directory(sealed);
    const fs::path path = sealed / "target.cir";
    MakeFile(path, "old", 0666);
    fs::permissions(sealed, fs::perms(0555));

    EXPECT_EQ(WriteInChild(path, "new", AsUnprivilegedUser), "cannot write " + path.string() + " / Permission denied");
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(Entries(sealed), std::vector<std::string>{"target.cir"});
}

TEST_F(AtomicFileTest, FailureWhileWritingLeavesTheOldFileAndNoTemporary) {
    const fs::path path = dir_ / "target.cir";
    MakeFile(path, "old", 0644);

    EXPECT_EQ(WriteInChild(path, std::string(4096, 'x'), WithFileSizeLimit),
              "cannot write " + path.string() + " / File too large");
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"target.cir"});
}

}  // namespace
}  // namespace tavrel
