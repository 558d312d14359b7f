#include "platform/SystemInformation.h"

#include "core/Text.h"

#include <charconv>

namespace rimo {

namespace {

// The number of kB on the line "<name>:   <number> kB"; nullopt when there is none.
std::optional<std::uint64_t> Field(std::string_view text, std::string_view name) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
            line[name.size()] != ':') {
            continue;
        }
        line = TrimBlanks(line.substr(name.size() + 1));
        std::uint64_t kilobytes = 0;
        const auto [rest, error] =
            std::from_chars(line.data(), line.data() + line.size(), kilobytes);
        if (error != std::errc() || rest == line.data() || kilobytes > UINT64_MAX / 1024) {
            return std::nullopt;
        }
        return kilobytes * 1024;
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoryStatus> ParseMemInfo(std::string_view text) {
    const std::optional<std::uint64_t> total = Field(text, "MemTotal");
    if (!total) {
        return std::nullopt;
    }
    MemoryStatus status;
    status.TotalBytes = *total;
    if (const std::optional<std::uint64_t> available = Field(text, "MemAvailable")) {
        status.AvailableBytes = *available;
    } else {
        // Kernels before 3.14.
        for (const char* name : {"MemFree", "Buffers", "Cached"}) {
            status.AvailableBytes += Field(text, name).value_or(0);
        }
    }
    if (status.AvailableBytes > status.TotalBytes) {
        status.AvailableBytes = status.TotalBytes;
    }
    return status;
}

} // namespace rimo
