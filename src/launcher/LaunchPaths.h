#pragma once

#include <string>
#include <string_view>

namespace rimo {

// Path texts of the launcher (Linux paths, "/" separated).
struct LaunchPaths {
    // The text after the last "/" ("" for "/"); the hint of a button without title.
    static std::string FileNamePart(std::string_view path);
    // The file name without its extension: the title a program dropped on an
    // empty row gets. A leading dot is part of the name (".bashrc" stays).
    static std::string TitleOf(std::string_view path);
    // The folder of the path without a trailing "/" ("/" for a file in the
    // root folder, "" for a path without folder).
    static std::string FolderOf(std::string_view path);
    // A dropped path without trailing "/" (a folder given as "dir/").
    static std::string WithoutTrailingSlash(std::string_view path);
    // The row number at the end of a control name such as "Label12": up to
    // three digits from `prefixLength` on; 0 when there are none.
    static int RowNumberOf(std::string_view name, std::size_t prefixLength);
};

} // namespace rimo
