// Opening a launcher page of 99 registered rows: the page file read, the rows
// built, every button's icon looked up and drawn. Changing one button of such
// a page file, in the program's layout and in a hand-made one (kept).
#include "BenchApp.h"
#include "TempFolder.h"
#include "core/TextCodec.h"
#include "fakes/FakeProgramStarter.h"
#include "launcher/LaunchIcons.h"
#include "launcher/LauncherFile.h"
#include "launcher/LauncherPage.h"

#include <QImage>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace rimo {
namespace {

// 99 rows of programs, documents, folders and icon files of the kinds a user
// registers, on two pages (opening one page after the other).
void WritePages(const TempFolder& folder, const AppPaths& paths) {
    const char* documents[] = {"notes.txt", "report.pdf", "photo.png",   "song.mp3",
                               "sheet.csv", "page.html",  "archive.zip", "script.sh"};
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    image.save(QString::fromStdString((folder / "set.ico").string()), "ICO");
    for (int page = 0; page < 2; ++page) {
        IniFile ini;
        ini.WriteString("Setting", "LaunchTitle", "ページ" + std::to_string(page));
        ini.WriteInteger("Setting", "LBtnNo", 99);
        for (int n = 1; n <= 99; ++n) {
            LaunchItem item;
            item.Title = "項目 " + std::to_string(n);
            switch (n % 4) {
            case 0:
                item.Path = "/bin/sh";
                break;
            case 1:
                item.Path = (folder / documents[n % 8]).string();
                TempFolder::Write(item.Path, "x");
                break;
            case 2:
                item.Path = folder.Path().string();
                break;
            default:
                item.Path = "/bin/ls";
                item.IconPath = (folder / "set.ico").string();
                break;
            }
            item.Dir = folder.Path().string();
            LauncherFile::WriteButton(ini, n, item);
            ini.WriteBool(LauncherFile::Section(n), "CheckBox", n % 3 == 0);
        }
        TempFolder::Write(paths.LauncherFile(page), EncodeFileText(ini.ToText()));
    }
}

// The two page files in a folder of their own; starts go nowhere.
struct Pages {
    Pages() : paths(AppPaths::InFolder(folder.Path())) {
        BenchApp();
        WritePages(folder, paths);
    }
    TempFolder folder;
    AppPaths paths;
    FakeProgramStarter programs;
};

void BM_OpenLauncherPageOf99Rows(benchmark::State& state) {
    Pages pages;
    LaunchIcons icons; // this session's applications and icon theme
    QWidget window;
    window.resize(700, 500);
    auto* tabSheet3 = new QWidget(&window);
    LauncherPage page(*tabSheet3, pages.paths, {pages.programs, icons});
    window.show();
    page.SelectPage(1); // the applications indexed, the theme loaded
    int next = 0;
    for (auto _ : state) {
        page.SelectPage(next);
        next = 1 - next;
    }
    if (page.LaunchButtonCount() != 99) {
        state.SkipWithError("the page did not open with 99 rows");
    }
}
BENCHMARK(BM_OpenLauncherPageOf99Rows)->Unit(benchmark::kMillisecond);

// An opening with the applications indexed afresh (Qt keeps its theme cache).
void BM_FirstOpenLauncherPageOf99Rows(benchmark::State& state) {
    Pages pages;
    for (auto _ : state) {
        LaunchIcons icons;
        QWidget window;
        auto* tabSheet3 = new QWidget(&window);
        LauncherPage page(*tabSheet3, pages.paths, {pages.programs, icons});
        page.SelectPage(0);
    }
}
BENCHMARK(BM_FirstOpenLauncherPageOf99Rows)->Unit(benchmark::kMillisecond);

// One button's title changed and stored: the file read, changed and written
// (atomically); a hand-made file (LF line ends, blanks around "=") keeps its layout.
void BM_ChangeAButtonOfAPageOf99Rows(benchmark::State& state) {
    Pages pages;
    const std::filesystem::path path = pages.paths.LauncherFile(0);
    if (state.range(0) == 1) {
        std::string text = TempFolder::Read(path);
        std::string handMade;
        for (const char c : text) {
            if (c == '=') {
                handMade += " = ";
            } else if (c != '\r') {
                handMade += c;
            }
        }
        TempFolder::Write(path, handMade);
    }
    LauncherFile file(path, 0);
    LaunchItem item = LauncherFile::ButtonOf(file.Read(), 50);
    int round = 0;
    for (auto _ : state) {
        item.Title = "項目 " + std::to_string(++round);
        if (!file.SaveButton(50, item)) {
            state.SkipWithError("the page file was not written");
        }
    }
    if (state.range(0) == 1 && TempFolder::Read(path).find("\r") != std::string::npos) {
        state.SkipWithError("the hand-made layout was not kept");
    }
}
BENCHMARK(BM_ChangeAButtonOfAPageOf99Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rimo
