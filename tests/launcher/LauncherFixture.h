#pragma once

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "fakes/FakeProgramStarter.h"
#include "launcher/LaunchButton.h"
#include "launcher/LaunchIcons.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace rimo {

// A window with files, icons and application entries in a temporary folder;
// starts go to a recording fake.
class LauncherFixture : public ::testing::Test {
protected:
    LauncherFixture()
        : icons_(XdgDirs::From((folder_ / "config").string(), "", (folder_ / "data").string(),
                               (folder_ / "system").string(), "", "", folder_.Path().string())) {
        window_.resize(700, 500);
        window_.show();
        QApplication::processEvents();
    }
    ~LauncherFixture() override { CloseMessageBoxes(); }

    LaunchButtonServices Services() { return {programs_, icons_}; }

    // A file of `colors.size()` solid 16 x 16 images (an icon set).
    std::string IconSet(const std::string& name, const std::vector<QColor>& colors) const {
        std::string header("\0\0\1\0", 4);
        header += static_cast<char>(colors.size());
        header += '\0';
        std::string images;
        std::string entries;
        for (const QColor& color : colors) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(color);
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            image.save(&png, "PNG");
            const auto le32 = [](std::uint32_t v) {
                return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                                   static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
            };
            const std::uint32_t offset =
                static_cast<std::uint32_t>(6 + 16 * colors.size() + images.size());
            entries += std::string("\x10\x10\0\0\1\0\x20\0", 8) +
                       le32(static_cast<std::uint32_t>(png.size())) + le32(offset);
            images += png.data().toStdString();
        }
        const auto path = folder_ / name;
        TempFolder::Write(path, header + entries + images);
        return path.string();
    }
    // The colour in the middle of a glyph.
    static QColor Middle(const QPixmap& glyph) { return glyph.toImage().pixelColor(8, 8); }

    // Calls `act` every few milliseconds while the event loop runs (in the
    // waits of the code under test) until it returns true `times` times, for
    // at most ten seconds.
    void Repeat(std::function<bool()> act, int times = 1) {
        auto* timer = new QTimer(&answerers_);
        auto left = std::make_shared<int>(times);
        auto tries = std::make_shared<int>(2000);
        QObject::connect(timer, &QTimer::timeout, timer, [=] {
            if ((act() && --*left == 0) || --*tries == 0) {
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start(5);
    }
    // Presses `button` on the launcher's next `times` questions as they show
    // (after running `meanwhile`); returns where the last question's text goes.
    std::shared_ptr<QString> Answer(QMessageBox::StandardButton button,
                                    std::function<void()> meanwhile = {}, int times = 1) {
        auto text = std::make_shared<QString>();
        Repeat(
            [=] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    auto* box = qobject_cast<QMessageBox*>(widget);
                    if (box && box->isVisible() &&
                        box->objectName() == QStringLiteral("LauncherQuestion")) {
                        *text = box->text();
                        if (meanwhile) {
                            meanwhile();
                        }
                        box->button(button)->click();
                        return true;
                    }
                }
                return false;
            },
            times);
        return text;
    }
    // The texts of the notices shown (closed afterwards).
    static QStringList Notices() {
        QStringList texts;
        for (QMessageBox* box : VisibleMessageBoxes()) {
            texts.append(box->text());
        }
        CloseMessageBoxes();
        return texts;
    }

    QObject answerers_; // pending answers end with the test
    TempFolder folder_;
    FakeProgramStarter programs_;
    LaunchIcons icons_;
    QWidget window_;
};

} // namespace rimo
