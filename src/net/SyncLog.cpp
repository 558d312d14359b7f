#include "net/SyncLog.h"

#include "core/FileIo.h"
#include "core/TextCodec.h"

namespace rimo {

std::string SyncLogText(const std::vector<std::string>& lines, std::size_t first) {
    std::string bytes;
    for (std::size_t i = first; i < lines.size(); ++i) {
        // A line CP932 cannot hold is kept as it is (UTF-8) rather than lost.
        bytes += Utf8ToCp932(lines[i]).value_or(lines[i]);
        bytes += "\r\n";
    }
    return bytes;
}

Status SyncLog::AppendNew(const std::vector<std::string>& lines, bool enabled) {
    if (!enabled) {
        return Status::Ok();
    }
    const std::size_t first = appended_ < lines.size() ? appended_ : lines.size();
    if (first == lines.size()) {
        return Status::Ok();
    }
    const Status status = AppendToFile(file_, SyncLogText(lines, first));
    if (status) {
        appended_ = lines.size();
    }
    return status;
}

} // namespace rimo
