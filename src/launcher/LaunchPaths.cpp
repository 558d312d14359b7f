#include "launcher/LaunchPaths.h"

namespace rimo {

std::string LaunchPaths::FileNamePart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string LaunchPaths::TitleOf(std::string_view path) {
    const std::string name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string LaunchPaths::FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    return std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

std::string LaunchPaths::WithoutTrailingSlash(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

int LaunchPaths::RowNumberOf(std::string_view name, std::size_t prefixLength) {
    if (name.size() <= prefixLength) {
        return 0;
    }
    int number = 0;
    for (const char c : name.substr(prefixLength, 3)) {
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace rimo
