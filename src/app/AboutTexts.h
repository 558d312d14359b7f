#pragma once

#include "core/Message.h"
#include "platform/SystemInformation.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rimo {

// The texts of the about page ("バージョン情報(&A)").
struct AboutTexts {
    // Our project's contact data shown by the link labels.
    static constexpr const char* kMailAddress = "rimotime@example.org";
    static constexpr const char* kWebAddress = "https://example.org/RimoTimeInformation/";

    // "RimoTimeInformation for Linux Version1.0": this build's version.
    static std::string VersionLine();

    // Bytes as whole MiB with thousands separators: "2,048MB".
    static std::string Megabytes(std::uint64_t bytes);
    // "空きﾒﾓﾘ： 200MB / 全ﾒﾓﾘ： 512MB".
    static Message MemoryText(const MemoryStatus& memory);
    // "ﾒﾓﾘ使用率： 61%": the share of memory in use.
    static Message MemoryLoadText(const MemoryStatus& memory);

    // The cycles per microsecond between two samples; nullopt when the
    // samples cannot give one (no time between them, a counter gone back).
    static std::optional<std::uint64_t> Megahertz(const CounterSample& first,
                                                  const CounterSample& second);
    // "CPU動作周波数： 2394MHz".
    static Message CpuClockText(std::uint64_t megahertz);
};

} // namespace rimo
