#pragma once

#include "launcher/LaunchItem.h"

#include <string>

namespace rimo {

// "LaunchClipboard": the launch button copied or cut last, kept in memory
// (not the system clipboard) across page switches until the program ends.
class LaunchClipboard {
public:
    bool Empty() const { return item_.Path.empty(); }
    const LaunchItem& Item() const { return item_; }
    // Copy1Click and Cut1Click: the button's seven properties replace the contents.
    void Copy(const LaunchItem& item) { item_ = item; }

    // Which items of "PopupMenu3" are enabled for a row.
    struct MenuState {
        bool Cut = false;
        bool Copy = false;
        bool Paste = false;
        bool Delete = false;
    };
    MenuState MenuFor(const LaunchItem& row) const {
        const bool registered = row.Registered();
        return {registered, registered, !Empty(), registered};
    }

    // The question before pasting over a registered button.
    std::string PasteQuestion(const std::string& targetTitle) const {
        return targetTitle + " のｱｲｺﾝを " + item_.Title + " に上書きして宜しいですか?";
    }
    // The question before deleting one button.
    static std::string DeleteQuestion(const std::string& title) {
        return title + " のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?";
    }

private:
    LaunchItem item_;
};

} // namespace rimo
