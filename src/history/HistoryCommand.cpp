#include "history/HistoryCommand.h"

#include "history/HistoryDatabase.h"
#include "history/HistoryText.h"

#include <string>

namespace rimo {

int PrintHistory(const std::filesystem::path& file, std::optional<std::int64_t> sinceMs, bool csv,
                 std::FILE* out, std::FILE* err) {
    const auto write = [out](const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), out);
    };
    if (csv) {
        write(HistoryText::CsvHeader());
    }
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return 0;
    }
    HistoryDatabase db(file);
    Status read = db.OpenForReading();
    if (read) {
        read = db.Read(sinceMs, false, [&](const HistoryEntry& entry) {
            write(csv ? HistoryText::CsvRecord(entry) : HistoryText::PlainLine(entry));
        });
    }
    std::fflush(out);
    if (!read) {
        std::fprintf(err, "rimotime: %s: %s\n", file.c_str(), read.message().c_str());
        return 1;
    }
    return 0;
}

} // namespace rimo
