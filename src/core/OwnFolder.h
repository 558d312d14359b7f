#pragma once

#include "core/Status.h"

#include <filesystem>
#include <string>

#include <sys/types.h>

namespace rimo {

// What decides whether a folder is this user's own.
struct FolderFacts {
    bool IsFolder = false;
    uid_t Owner = 0;
    mode_t Mode = 0; // permission bits
    // Its group holds no one but its owner (a user private group), so that
    // group write access is the owner's alone.
    bool GroupIsOwners = false;
    unsigned long FileSystem = 0; // statfs f_type
};

// Empty when a folder with these facts is `user`'s own: owned by `user` and
// writable by no one else. A FAT, exFAT or NTFS mount owned by `user` counts
// as the user's whatever its modes say (they come from the mount's options).
// Otherwise why not, to follow the folder's name in a message.
Message FolderRefusal(const FolderFacts& facts, uid_t user);

// Whether a folder (links followed) is the running user's own, as above.
// The error names the folder and says why.
Status CheckOwnFolder(const std::filesystem::path& folder);

// Whether an open file's file system keeps Unix modes (FAT, exFAT and NTFS
// do not: there a mode cannot be set, and need not be).
bool KeepsUnixModes(int fd);

// Whether only the folder's owner may enter it (no group or other bits).
bool IsPrivateFolder(const std::filesystem::path& folder);

// Makes a folder and its missing parents with mode 0700; an existing folder
// is left as it is.
Status MakePrivateFolders(const std::filesystem::path& folder);

} // namespace rimo
