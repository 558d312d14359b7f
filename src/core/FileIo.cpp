#include "core/FileIo.h"

#include "core/OwnFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rimo {

namespace {

std::string Reason(int error) {
    char buffer[256];
    // The GNU strerror_r, which may return a static string instead of filling the buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

Message ReadError(const std::filesystem::path& path, Message reason) {
    return Translatable("rimo::FileIo", "ファイル %1 を読み込めません: %2")
        .Arg(path.string())
        .Arg(std::move(reason));
}

Message ReadError(const std::filesystem::path& path, int error) {
    return ReadError(path, Message::Plain(Reason(error)));
}

Message WriteError(const std::filesystem::path& path, Message reason) {
    return Translatable("rimo::FileIo", "ファイル %1 に書き込めません: %2")
        .Arg(path.string())
        .Arg(std::move(reason));
}

Message WriteError(const std::filesystem::path& path, int error) {
    return WriteError(path, Message::Plain(Reason(error)));
}

void SetError(Message* error, Message message) {
    if (error) {
        *error = std::move(message);
    }
}

Message AsideError(const std::filesystem::path& path, int error) {
    return Translatable("rimo::FileIo", "ファイル %1 を退避できません: %2")
        .Arg(path.string())
        .Arg(Reason(error));
}

// "<name><suffix>" for 0, "<name><suffix>.n" after it.
std::filesystem::path Numbered(const std::filesystem::path& path, std::string_view suffix,
                               long long n) {
    std::filesystem::path name = path;
    name += std::string(suffix);
    if (n > 0) {
        name += "." + std::to_string(n);
    }
    return name;
}

// Closes the descriptor unless it was closed on purpose (to see close's error).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Returns 0 or the errno of close; never retried, as Linux frees the
    // descriptor even when close reports EINTR.
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Returns 0 or the errno of the failed write.
int WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        // Linux writes at most about 2 GiB per call anyway.
        const ssize_t written = ::write(fd, data, std::min<std::size_t>(left, 1U << 30));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

Message NotRegular(const std::filesystem::path& path, bool reading) {
    Message reason = Translatable("rimo::FileIo", "通常のファイルではありません");
    return reading ? ReadError(path, std::move(reason)) : WriteError(path, std::move(reason));
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

bool IsLink(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// A link is followed only when both its folder and its target's are this
// user's own, and never by root: a link planted in a folder others can write
// must not turn a write into one of the user's (or another user's) files.
bool MayFollowLink(const std::filesystem::path& link, std::filesystem::path* target) {
    if (::geteuid() == 0) {
        return false;
    }
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::canonical(link, ec);
    if (ec || !CheckOwnFolder(FolderOf(link)) || !CheckOwnFolder(FolderOf(resolved))) {
        return false;
    }
    if (target) {
        *target = std::move(resolved);
    }
    return true;
}

// A link that may be followed is written through, so that a linked settings
// file stays linked; any other link is replaced by the new file.
std::filesystem::path WriteTarget(const std::filesystem::path& path) {
    std::filesystem::path target;
    if (IsLink(path) && MayFollowLink(path, &target)) {
        return target;
    }
    return path;
}

// Files are this user's alone (0600). Only where the folder lets others in
// (the folder of a portable copy) does an existing file keep a wider mode
// the user gave it.
mode_t ModeForRewrite(mode_t existing, const std::filesystem::path& folder) {
    return IsPrivateFolder(folder) ? (existing & 0700) : (existing & 07777);
}

void SyncFolder(const std::filesystem::path& folder) {
    // Makes the rename itself durable. Some file systems cannot sync a folder;
    // the new content is in place by now either way.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, Message* error,
                                         bool missingIsError, std::size_t maxSize) {
    // Anything but a regular file is refused before it is opened (opening a
    // device may act on it); the open itself never blocks (a FIFO put there
    // meanwhile would wait for a writer forever) nor takes a terminal.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        SetError(error, S_ISDIR(info.st_mode) ? ReadError(path, EISDIR) : NotRegular(path, true));
        return std::nullopt;
    }
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        const int err = errno;
        // ENOTDIR: a file where a folder of the path should be; no such file either.
        if ((err == ENOENT || err == ENOTDIR) && !missingIsError) {
            SetError(error, {});
        } else {
            SetError(error, ReadError(path, err));
        }
        return std::nullopt;
    }
    if (::fstat(file.get(), &info) != 0) {
        SetError(error, ReadError(path, errno));
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        SetError(error, S_ISDIR(info.st_mode) ? ReadError(path, EISDIR) : NotRegular(path, true));
        return std::nullopt;
    }
    const auto tooBig = [&] {
        SetError(error,
                 ReadError(path, Translatable("rimo::FileIo", "大きすぎます (上限 %1 バイト)")
                                     .Arg(static_cast<long long>(maxSize))));
        return std::nullopt;
    };
    const auto expected = static_cast<std::size_t>(info.st_size);
    if (expected > maxSize) {
        return tooBig();
    }
    // One byte more than the size, so that a file that did not grow ends in
    // a single read plus the read that sees its end.
    std::string data(std::min(std::max<std::size_t>(expected + 1, 64 * 1024), maxSize + 1), '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == data.size()) {
            if (used > maxSize) {
                return tooBig(); // it grew while being read
            }
            data.resize(std::min(data.size() * 2, maxSize + 1));
        }
        const ssize_t got = ::read(file.get(), data.data() + used, data.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            SetError(error, ReadError(path, errno));
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    data.resize(used);
    SetError(error, {});
    return data;
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target = WriteTarget(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return Status::Error(WriteError(path, errno));
    }
    auto fail = [&](int err) {
        ::unlink(temporary.c_str());
        return Status::Error(WriteError(path, err));
    };

    if (const int err = WriteAll(file.get(), bytes)) {
        return fail(err);
    }
    struct stat existing {};
    mode_t mode = 0600;
    // lstat: a link that is not followed says nothing about the new file.
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = ModeForRewrite(existing.st_mode, folder);
        // Keeps the owner when root rewrites a user's file; for anyone else
        // this fails, harmlessly. Done before fchmod, since chown clears setuid.
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored =
                ::fchown(file.get(), existing.st_uid, existing.st_gid);
        }
    }
    // A FAT stick refuses modes other than its mount's; they mean nothing there.
    if (::fchmod(file.get(), mode) != 0) {
        const int err = errno;
        if (KeepsUnixModes(file.get())) {
            return fail(err);
        }
    }
    if (::fsync(file.get()) != 0) {
        return fail(errno);
    }
    if (const int err = file.Close()) {
        return fail(err);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    SyncFolder(folder);
    return Status::Ok();
}

Status AppendToFile(const std::filesystem::path& path, std::string_view bytes) {
    const bool link = IsLink(path);
    if (link && !MayFollowLink(path, nullptr)) {
        return Status::Error(
            WriteError(path, Translatable("rimo::FileIo", "このフォルダーのリンクはたどりません")));
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return Status::Error(S_ISDIR(info.st_mode) ? WriteError(path, EISDIR)
                                                   : NotRegular(path, false));
    }
    // Without blocking: opening a FIFO for writing would wait for a reader. A
    // link put there meanwhile is not followed.
    const int flags = O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    FileDescriptor file(::open(path.c_str(), link ? flags : flags | O_NOFOLLOW, 0600));
    if (file.get() < 0) {
        return Status::Error(WriteError(path, errno));
    }
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return Status::Error(NotRegular(path, false));
    }
    if ((info.st_mode & 077) != 0 && IsPrivateFolder(FolderOf(path))) {
        // A log made before files were kept private; fails harmlessly when not ours.
        [[maybe_unused]] const int ignored = ::fchmod(file.get(), info.st_mode & 0700);
    }
    if (const int err = WriteAll(file.get(), bytes)) {
        return Status::Error(WriteError(path, err));
    }
    if (const int err = file.Close()) {
        return Status::Error(WriteError(path, err));
    }
    return Status::Ok();
}

std::optional<std::filesystem::path> MoveFileAside(const std::filesystem::path& path,
                                                   Message* error) {
    // Gives up after this many; a folder holding that many broken copies needs a person.
    constexpr int kMaxCopies = 10000;
    for (int n = 0; n < kMaxCopies; ++n) {
        const std::filesystem::path aside = Numbered(path, ".broken", n);
        // RENAME_NOREPLACE: a copy appearing meanwhile is never overwritten.
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
            SetError(error, {});
            return aside;
        }
        int err = errno;
        if (err == EINVAL || err == ENOSYS) {
            // A file system without RENAME_NOREPLACE.
            struct stat info {};
            if (::lstat(aside.c_str(), &info) == 0) {
                continue;
            }
            if (::rename(path.c_str(), aside.c_str()) == 0) {
                SetError(error, {});
                return aside;
            }
            err = errno;
        }
        if (err != EEXIST) {
            SetError(error, AsideError(path, err));
            return std::nullopt;
        }
    }
    SetError(error, AsideError(path, EEXIST));
    return std::nullopt;
}

std::filesystem::path UnusedName(const std::filesystem::path& path, std::string_view suffix) {
    for (long long n = 0;; ++n) {
        std::filesystem::path name = Numbered(path, suffix, n);
        struct stat info {};
        // Any answer but "it is there" ends the search: a folder that cannot
        // be looked into fails at the write, with its reason.
        if (::lstat(name.c_str(), &info) != 0) {
            return name;
        }
    }
}

} // namespace rimo
