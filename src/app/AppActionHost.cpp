#include "app/AppActionHost.h"

#include "core/UserMessages.h"

#include <QAbstractButton>
#include <QWidget>

#include <cstdio>

namespace rimo {

namespace {

void NotYetThere(const char* what) {
    std::fprintf(stderr, "RimoTimeInformation: %s is not available in this build\n", what);
}

} // namespace

AppActionHost::AppActionHost(QWidget& mainWindow) : mainWindow_(mainWindow) {}

ActionResult AppActionHost::SynchroniseClock() {
    if (OnSynchroniseClock) {
        return OnSynchroniseClock();
    }
    NotYetThere("the clock synchronisation");
    return {};
}

std::vector<std::string> AppActionHost::LauncherPageTitles() const {
    if (OnLauncherPageTitles) {
        return OnLauncherPageTitles();
    }
    return {"タイトル１", "タイトル２", "タイトル３"};
}

void AppActionHost::SelectLauncherPage(int index) {
    if (OnSelectLauncherPage) {
        OnSelectLauncherPage(index);
    } else {
        NotYetThere("the launcher");
    }
}

void AppActionHost::StartCheckedLauncherButtons() {
    if (OnStartCheckedLauncherButtons) {
        OnStartCheckedLauncherButtons();
    } else {
        NotYetThere("the launcher");
    }
}

bool AppActionHost::Checked(const char* name) const {
    const auto* box = mainWindow_.findChild<QAbstractButton*>(QString::fromLatin1(name));
    return box && box->isChecked();
}

bool AppActionHost::StartScreenSaverAfterChange() const {
    return Checked("CheckBoxScrSaver");
}

bool AppActionHost::LoopSound() const {
    return OnLoopSound ? OnLoopSound() : Checked("CheckBoxSoundLoop");
}

void AppActionHost::ReportProblem(const std::string& text) {
    std::fprintf(stderr, "RimoTimeInformation: %s\n", text.c_str());
    ShowErrorMessage(&mainWindow_, QString::fromStdString(text));
}

} // namespace rimo
