#include "app/HelpPage.h"

#include "app/RuntimeFolder.h"

#include "core/FileIo.h"
#include "core/OwnFolder.h"
#include "i18n/Translations.h"
#include "resources/AppResources.h"

#include <QString>

#include <system_error>

namespace rimo {

std::optional<std::filesystem::path> HelpPage::Ensure(const AppPaths& paths,
                                                      const std::filesystem::path& runtimeFolder,
                                                      std::string* error) {
    const std::filesystem::path beside = paths.HelpFile();
    std::error_code ignored;
    if (std::filesystem::is_regular_file(beside, ignored)) {
        return beside;
    }
    const std::filesystem::path installed = paths.InstalledHelpFile();
    if (!installed.empty() && std::filesystem::is_regular_file(installed, ignored)) {
        return installed;
    }
    const QByteArray page = AppResources::HelpPage();
    const std::string_view bytes(page.constData(), static_cast<std::size_t>(page.size()));
    // Only a portable copy gets the page beside it: a build folder or an
    // installed copy's folder is not the user's.
    if (paths.FilesBesideProgram() && WriteFileAtomically(beside, bytes)) {
        return beside;
    }
    if (runtimeFolder.empty()) {
        if (error) {
            *error = Translations::Translate(
                         "rimo::HelpPage",
                         "ヘルプのページを置く、このユーザー専用のフォルダーがありません")
                         .toStdString();
        }
        return std::nullopt;
    }
    MakePrivateFolders(runtimeFolder);
    const std::filesystem::path copy = runtimeFolder / "help.html";
    const Status written = WriteFileAtomically(copy, bytes);
    if (!written) {
        if (error) {
            *error = Translations::Text(written.text()).toStdString();
        }
        return std::nullopt;
    }
    return copy;
}

std::filesystem::path HelpPage::RuntimeFolder() {
    const QString folder = PrivateRuntimeFolder();
    // Without a folder of this user's own the page cannot be written safely:
    // the caller reports the failed write.
    return folder.isEmpty() ? std::filesystem::path()
                            : std::filesystem::path(folder.toStdString()) / "RimoTimeInformation";
}

} // namespace rimo
