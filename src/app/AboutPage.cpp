#include "app/AboutPage.h"

#include "app/AboutTexts.h"
#include "core/NamedControl.h"
#include "core/UserMessages.h"
#include "i18n/Translations.h"
#include "resources/AppResources.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

namespace rimo {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* AddLabel(QWidget& page, const char* name, const QString& text, const QPoint& place) {
    auto* label = Named(new QLabel(text, &page), name);
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    label->move(place);
    return label;
}

// Blue, underlined, with the hand pointer.
void MakeLink(QLabel& label) {
    QFont font = label.font();
    font.setUnderline(true);
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label.setPalette(palette);
    label.setCursor(Qt::PointingHandCursor);
    label.adjustSize();
}

} // namespace

AboutPage::AboutPage(QWidget& tabSheet, SystemInformation& system, const QString& dataFolder,
                     std::function<bool(const QUrl&)> openUrl)
    : QObject(&tabSheet), page_(tabSheet), system_(system), openUrl_(std::move(openUrl)) {
    setObjectName(QStringLiteral("AboutPage"));
    clockSpan_.setSingleShot(true);
    clockSpan_.setInterval(1000);
    connect(&clockSpan_, &QTimer::timeout, this, &AboutPage::FinishClockMeasurement);
    CreateControls(tabSheet, dataFolder);
}

void AboutPage::CreateControls(QWidget& page, const QString& dataFolder) {
    auto* icon = Named(new QLabel(&page), "ImageRimoIcon");
    icon->setPixmap(AppResources::MainIcon().pixmap(32, 32));
    icon->setGeometry(16, 16, 32, 32);
    icon->setAccessibleName(tr("RimoTimeInformation のアイコン"));

    AddLabel(page, "LabelVersion", Text(AboutTexts::VersionLine()), {64, 16});
    AddLabel(page, "LabelMailCaption", QStringLiteral("E-mail"), {64, 40});
    labelAddress_ =
        AddLabel(page, "LabelAddress", QString::fromLatin1(AboutTexts::kMailAddress), {120, 40});
    AddLabel(page, "LabelWebCaption", QStringLiteral("WWW"), {64, 60});
    labelURL_ = AddLabel(page, "LabelURL", QString::fromLatin1(AboutTexts::kWebAddress), {120, 60});
    for (QLabel* link : {labelAddress_, labelURL_}) {
        MakeLink(*link);
        link->installEventFilter(this);
    }
    AddLabel(page, "LabelMotto", tr("everytime，everywhere and everybody."), {64, 84});

    // Wide enough for the figures of large machines ("…1,048,576MB").
    labelCPUClock_ = AddLabel(page, "LabelCPUClock", tr("周波数取得中"), {64, 112});
    labelCPUClock_->resize(290, labelCPUClock_->height());
    labelMemory_ = AddLabel(page, "LabelMemory", tr("メモリー取得中"), {64, 132});
    labelMemory_->resize(290, labelMemory_->height());
    labelUseMemory_ = AddLabel(page, "LabelUseMemory", tr("メモリー使用率取得中"), {370, 132});
    labelUseMemory_->resize(200, labelUseMemory_->height());

    // A long folder keeps its start and its end; the hint has all of it.
    const QString folderText = tr("データの場所： ") + dataFolder;
    QLabel* folder = AddLabel(page, "LabelDataFolder", folderText, {16, 160});
    folder->resize(620, folder->height());
    folder->setText(folder->fontMetrics().elidedText(folderText, Qt::ElideMiddle, folder->width()));
    folder->setToolTip(dataFolder);
}

void AboutPage::PageControl1Change(const QWidget* current) {
    if (current == &page_) {
        ShowSystemInformation();
    }
}

void AboutPage::ShowSystemInformation() {
    if (const std::optional<MemoryStatus> memory = system_.Memory()) {
        labelMemory_->setText(Translations::Text(AboutTexts::MemoryText(*memory)));
        labelUseMemory_->setText(Translations::Text(AboutTexts::MemoryLoadText(*memory)));
    } else {
        labelMemory_->setText(tr("メモリーを取得できません"));
        labelUseMemory_->setText(tr("メモリー使用率を取得できません"));
    }
    // A measurement under way goes on; it is not started twice.
    if (Measuring()) {
        return;
    }
    labelCPUClock_->setText(tr("周波数取得中"));
    firstSample_ = system_.SampleCounter();
    clockSpan_.start();
}

void AboutPage::FinishClockMeasurement() {
    const std::optional<std::uint64_t> megahertz =
        AboutTexts::Megahertz(firstSample_, system_.SampleCounter());
    labelCPUClock_->setText(megahertz ? Translations::Text(AboutTexts::CpuClockText(*megahertz))
                                      : tr("周波数を取得できません"));
}

bool AboutPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == labelAddress_) {
            LabelAddressClick();
            return true;
        }
        if (watched == labelURL_) {
            LabelURLClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void AboutPage::LabelAddressClick() {
    Open(QUrl(QStringLiteral("mailto:") + labelAddress_->text()));
}

void AboutPage::LabelURLClick() {
    Open(QUrl(labelURL_->text()));
}

void AboutPage::Open(const QUrl& url) {
    if (!openUrl_ || !openUrl_(url)) {
        ShowErrorMessage(page_.window(), tr("%1 を開けません").arg(url.toDisplayString()));
    }
}

} // namespace rimo
