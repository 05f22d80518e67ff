#include "io/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

// Longer chains of links are taken as a loop, as the kernel does.
constexpr int kMaxLinkDepth = 40;

FileWriteError Failure(const fs::path& path, std::string reason) {
    return {"cannot write " + path.string(), std::move(reason)};
}

FileWriteError SystemFailure(const fs::path& path, int error) {
    return Failure(path, std::system_category().message(error));
}

// The file a name stands for. Links in the last component are followed one by one, also when
// the last link dangles: the link stays and the file it names is written. A relative link text
// counts from the link's own directory. Returns the errno of a failure.
int ResolveLinks(fs::path& path) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return 0;
        std::error_code error;
        const fs::path text = fs::read_symlink(path, error);
        if (error) return error.value();
        path = text.is_absolute() ? text : path.parent_path() / text;
    }
    return ELOOP;
}

// Opens a new file under a short hidden name in the directory; the target's own name may already
// be at the length limit of a file name, so nothing is appended to it. Returns the descriptor,
// or -1 with errno set.
int CreateTemporary(const fs::path& directory, mode_t mode, fs::path& temporary) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".tavrel-";
        for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
        temporary = directory / name;
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes everything, going on after partial writes. False with errno set on failure.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        // A regular file that takes nothing has no room left; retrying would spin.
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Gives the new file the old one's owner, group and permission bits. Only a privileged process
// may give a file away, so a failed change of owner leaves the writer as owner, as with any
// rewrite; the group is still kept where the writer belongs to it. The owner goes first because
// changing it clears the set-user-ID and set-group-ID bits that the mode then puts back.
bool TakeOverAttributes(int fd, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int groupKept = fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
}

// The rename changed the directory; syncing it makes the new name survive a crash. It comes after
// the file is in place, so a failure here (some file systems do not sync directories) leaves
// nothing the caller could act on and is not reported.
void SyncDirectory(const fs::path& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::optional<FileWriteError> WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    fs::path target = path;
    if (const int error = ResolveLinks(target)) return SystemFailure(path, error);

    // Everything is checked before anything is created, and the target itself is never opened:
    // opening a FIFO blocks, and a device is not to be touched, let alone replaced.
    struct stat old;
    const bool exists = lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return SystemFailure(path, errno);
    if (exists && !S_ISREG(old.st_mode)) return Failure(path, "not a regular file");
    // The rename needs only the directory's permission, so the file's own is asked separately,
    // for the real user as the shell's test -w does.
    if (exists && access(target.c_str(), W_OK) != 0) return SystemFailure(path, errno);

    fs::path directory = target.parent_path();
    if (directory.empty()) directory = ".";
    // A new file gets 0666 less the umask (and a default ACL of the directory) like any other
    // new file. A replacement starts private and gets the old bits before any content is in it.
    fs::path temporary;
    int fd = CreateTemporary(directory, exists ? 0600 : 0666, temporary);
    if (fd < 0) return SystemFailure(path, errno);

    // Any failure from here removes the temporary file; the old file was not touched.
    const auto abandon = [&](int error) {
        if (fd >= 0) close(fd);
        unlink(temporary.c_str());
        return SystemFailure(path, error);
    };
    if (exists && !TakeOverAttributes(fd, old)) return abandon(errno);
    if (!WriteAll(fd, bytes) || fsync(fd) != 0) return abandon(errno);
    // close reports write errors some file systems (NFS) hold back until then.
    const int closed = close(fd);
    fd = -1;
    if (closed != 0) return abandon(errno);
    if (rename(temporary.c_str(), target.c_str()) != 0) return abandon(errno);
    SyncDirectory(directory);
    return std::nullopt;
}

std::optional<FileWriteError> WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    return WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::optional<FileWriteError> WriteLinesAtomically(const fs::path& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return WriteFileAtomically(path, text);
}

}  // namespace tavrel
