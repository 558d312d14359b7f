// The launcher page's commands on its rows: start, delete, the label's
// double click, and PopupMenu3 with the launch clipboard.
#include "i18n/Translations.h"
#include "launcher/LaunchPaths.h"
#include "launcher/LauncherMessages.h"
#include "launcher/LauncherPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>

namespace rimo {

namespace {

int RowOfLabel(const QLabel& label) {
    return LaunchPaths::RowNumberOf(label.objectName().toStdString(), 5); // "Label"
}

} // namespace

void LauncherPage::ButtonStartClick() {
    // The starts do not wait, so the rows stay as they are meanwhile.
    for (const Row& row : rows_) {
        if (row.Check->isChecked() && !row.Button->ProgramPath().isEmpty()) {
            row.Button->Click();
        }
    }
}

void LauncherPage::ButtonIconDeleteClick() {
    if (deleting_) {
        return;
    }
    deleting_ = true;
    const int generation = generation_;
    const bool askEach = checkBoxConf_->isChecked();
    const auto done = [this] { deleting_ = false; };
    if (!askEach && !AskYes(page_.window(),
                            tr("選択した全てのｱｲｺﾝを削除します。\r\n\r\n"
                               "復旧は出来ませんが宜しいですか?"),
                            QMessageBox::Cancel, MessagePosition())) {
        return done();
    }
    int checked = 0;
    int empty = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (generation != generation_) {
            return done(); // the page was switched while a question waited
        }
        const Row row = rows_[i];
        if (!row.Check->isChecked()) {
            continue;
        }
        ++checked;
        if (row.Button->ProgramPath().isEmpty()) {
            ++empty;
            continue;
        }
        if (askEach) {
            const LaunchItem asked = row.Button->Item();
            const bool yes = AskYes(
                page_.window(), Translations::Text(LaunchClipboard::DeleteQuestion(asked.Title)),
                QMessageBox::Cancel, MessagePosition());
            if (generation != generation_) {
                return done();
            }
            if (!yes || row.Button->Item() != asked) {
                continue;
            }
        }
        row.Button->SetProgramPath({});
        LaunchButtonUpdated(row.Button);
        row.Check->setChecked(false);
    }
    if (checked == empty) {
        ShowNotice(page_.window(), tr("情報"), tr("削除するｱｲｺﾝはありません。"), MessagePosition());
    }
    done();
}

void LauncherPage::LauncherLabelDblClick(const QLabel& label) {
    const int n = RowOfLabel(label);
    if (n >= 1 && n <= static_cast<int>(rows_.size())) {
        rows_[static_cast<std::size_t>(n) - 1].Button->Click();
    }
}

void LauncherPage::CreatePopupMenu3() {
    popupMenu3_ = new QMenu(&page_);
    popupMenu3_->setObjectName(QStringLiteral("PopupMenu3"));
    const auto item = [this](const char* name, const QString& caption,
                             void (LauncherPage::*handler)()) {
        QAction* action = popupMenu3_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    cut1_ = item("Cut1", tr("切り取り(&T)"), &LauncherPage::Cut1Click);
    copy1_ = item("Copy1", tr("コピー(&C)"), &LauncherPage::Copy1Click);
    paste1_ = item("Paste1", tr("貼り付け(&P)"), &LauncherPage::Paste1Click);
    delete2_ = item("Delete2", tr("削除(&D)"), &LauncherPage::Delete2Click);
}

void LauncherPage::LauncherLabelMouseDown(const QLabel& label, Qt::MouseButtons buttons) {
    if (buttons & Qt::RightButton) {
        popupRow_ = RowOfLabel(label);
        popupGeneration_ = generation_;
    }
}

TLaunchButton* LauncherPage::PopupButton() const {
    if (popupGeneration_ != generation_ || popupRow_ < 1 ||
        popupRow_ > static_cast<int>(rows_.size())) {
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(popupRow_) - 1].Button;
}

void LauncherPage::PopupMenu3Popup() {
    const TLaunchButton* button = PopupButton();
    const LaunchClipboard::MenuState state =
        clipboard_.MenuFor(button ? button->Item() : LaunchItem());
    cut1_->setEnabled(state.Cut);
    copy1_->setEnabled(state.Copy);
    paste1_->setEnabled(state.Paste && button);
    delete2_->setEnabled(state.Delete);
}

void LauncherPage::Copy1Click() {
    if (const TLaunchButton* button = PopupButton(); button && !button->ProgramPath().isEmpty()) {
        clipboard_.Copy(button->Item());
    }
}

void LauncherPage::Cut1Click() {
    TLaunchButton* button = PopupButton();
    if (!button || button->ProgramPath().isEmpty()) {
        return;
    }
    clipboard_.Copy(button->Item());
    button->SetProgramPath({});
    button->DoUpdated();
}

void LauncherPage::Paste1Click() {
    TLaunchButton* target = PopupButton();
    if (!target || clipboard_.Empty()) {
        return;
    }
    if (!target->ProgramPath().isEmpty()) {
        const LaunchItem asked = target->Item();
        const bool yes =
            AskYes(page_.window(), Translations::Text(clipboard_.PasteQuestion(asked.Title)),
                   QMessageBox::No, MessagePosition());
        // The page may have been switched, or the row changed, while the question waited.
        if (!yes || PopupButton() != target || target->Item() != asked) {
            return;
        }
    }
    target->SetItem(clipboard_.Item());
    SaveLaunchButton(*target);
    LoadLauncherLabels();
}

void LauncherPage::Delete2Click() {
    TLaunchButton* button = PopupButton();
    if (!button || button->ProgramPath().isEmpty()) {
        return;
    }
    const LaunchItem asked = button->Item();
    const bool yes =
        AskYes(page_.window(), Translations::Text(LaunchClipboard::DeleteQuestion(asked.Title)),
               QMessageBox::No, MessagePosition());
    if (!yes || PopupButton() != button || button->Item() != asked) {
        return;
    }
    button->SetProgramPath({});
    button->DoUpdated();
}

} // namespace rimo
