// Writes history entries as fast as it can until it is killed; says "ready"
// on standard output after the first.

#include "history/HistoryDatabase.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    rimo::HistoryDatabase db(argv[1]);
    if (!db.Open().Ready) {
        return 1;
    }
    const std::int64_t first = db.LastId() + 1;
    for (std::int64_t id = first;; ++id) {
        rimo::HistoryEntry entry;
        entry.Id = id;
        entry.StartedMs = 1796691600000 + id;
        entry.Title = "entry " + std::to_string(id);
        entry.Action = "警告音";
        entry.Message = std::string(200, 'x'); // entries across many pages
        if (!db.Insert({entry}) || (id % 7 == 0 && !db.SetLastSeen(id))) {
            return 1;
        }
        if (id % 5 == 0) {
            rimo::HistoryEntry changed = entry;
            changed.Id = id - 1;
            changed.ExitStatus = 0;
            db.Update(changed);
        }
        if (id == first) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
