#pragma once

#include "core/Message.h"
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
    Message PasteQuestion(const std::string& targetTitle) const {
        return Translatable("rimo::LaunchClipboard", "%1 のｱｲｺﾝを %2 に上書きして宜しいですか?")
            .Arg(targetTitle)
            .Arg(item_.Title);
    }
    // The question before deleting one button.
    static Message DeleteQuestion(const std::string& title) {
        return Translatable("rimo::LaunchClipboard",
                            "%1 のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?")
            .Arg(title);
    }

private:
    LaunchItem item_;
};

} // namespace rimo
