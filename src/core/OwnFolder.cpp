#include "core/OwnFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace rimo {

namespace {

Message NotMade(const std::filesystem::path& folder, std::string reason) {
    return Translatable("rimo::OwnFolder", "フォルダー %1 を作れません: %2")
        .Arg(folder.string())
        .Arg(std::move(reason));
}

// File systems without Unix owners and modes: the mount's options give every
// file the same ones.
constexpr unsigned long kFat = 0x4d44;
constexpr unsigned long kExFat = 0x2011BAB0;
constexpr unsigned long kNtfs = 0x5346544e;
constexpr unsigned long kNtfs3 = 0x7366746e;

bool ModesSayNothing(unsigned long fileSystem) {
    return fileSystem == kFat || fileSystem == kExFat || fileSystem == kNtfs ||
           fileSystem == kNtfs3;
}

std::string Octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

std::string Reason(int error) {
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}

// A user private group: named as its owner, the owner's primary group, and no
// other member listed (as Debian's OpenSSH judges group-writable folders).
bool GroupIsOwners(gid_t gid, uid_t owner) {
    std::vector<char> buffer(16384);
    passwd user{};
    passwd* userFound = nullptr;
    if (::getpwuid_r(owner, &user, buffer.data(), buffer.size() / 2, &userFound) != 0 ||
        !userFound || user.pw_gid != gid) {
        return false;
    }
    group entry{};
    group* groupFound = nullptr;
    char* groupBuffer = buffer.data() + buffer.size() / 2;
    if (::getgrgid_r(gid, &entry, groupBuffer, buffer.size() / 2, &groupFound) != 0 ||
        !groupFound || std::strcmp(entry.gr_name, user.pw_name) != 0) {
        return false;
    }
    for (char** member = entry.gr_mem; member && *member; ++member) {
        if (std::strcmp(*member, user.pw_name) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

Message FolderRefusal(const FolderFacts& facts, uid_t user) {
    if (!facts.IsFolder) {
        return Translatable("rimo::OwnFolder", "フォルダーではありません");
    }
    if (facts.Owner != user) {
        return Translatable("rimo::OwnFolder", "このユーザーではなく uid %1 のものです")
            .Arg(static_cast<long long>(facts.Owner));
    }
    if (ModesSayNothing(facts.FileSystem)) {
        return {};
    }
    const bool othersWrite = (facts.Mode & S_IWOTH) != 0;
    const bool groupWrites = (facts.Mode & S_IWGRP) != 0 && !facts.GroupIsOwners;
    if (othersWrite || groupWrites) {
        return Translatable("rimo::OwnFolder", "他のユーザーも書き込めます (モード %1)")
            .Arg(Octal(facts.Mode));
    }
    return {};
}

Status CheckOwnFolder(const std::filesystem::path& folder) {
    struct stat info {};
    struct statfs system {};
    if (::stat(folder.c_str(), &info) != 0 || ::statfs(folder.c_str(), &system) != 0) {
        const std::string reason = Reason(errno);
        return Status::Error(Translatable("rimo::OwnFolder", "フォルダー %1 を調べられません: %2")
                                 .Arg(folder.string())
                                 .Arg(reason));
    }
    FolderFacts facts;
    facts.IsFolder = S_ISDIR(info.st_mode);
    facts.Owner = info.st_uid;
    facts.Mode = info.st_mode & 07777;
    facts.FileSystem = static_cast<unsigned long>(system.f_type);
    if ((facts.Mode & S_IWGRP) != 0) {
        facts.GroupIsOwners = GroupIsOwners(info.st_gid, info.st_uid);
    }
    Message refusal = FolderRefusal(facts, ::geteuid());
    if (refusal.IsEmpty()) {
        return Status::Ok();
    }
    return Status::Error(Translatable("rimo::OwnFolder", "フォルダー %1 は%2")
                             .Arg(folder.string())
                             .Arg(std::move(refusal)));
}

bool KeepsUnixModes(int fd) {
    struct statfs system {};
    return ::fstatfs(fd, &system) != 0 ||
           !ModesSayNothing(static_cast<unsigned long>(system.f_type));
}

bool IsPrivateFolder(const std::filesystem::path& folder) {
    struct stat info {};
    return ::stat(folder.empty() ? "." : folder.c_str(), &info) == 0 && (info.st_mode & 077) == 0;
}

Status MakePrivateFolders(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            const std::string reason = Reason(errno);
            return Status::Error(NotMade(made, reason));
        }
    }
    struct stat info {};
    const int error = ::stat(folder.c_str(), &info) != 0 ? errno
                      : S_ISDIR(info.st_mode)            ? 0
                                                         : ENOTDIR;
    if (error != 0) {
        return Status::Error(NotMade(folder, Reason(error)));
    }
    return Status::Ok();
}

} // namespace rimo
