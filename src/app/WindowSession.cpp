#include "app/WindowSession.h"

#include <QGuiApplication>

namespace rimo {

const char* const WindowSession::kCompositorDecidesHint =
    "このデスクトップ（Wayland）ではウィンドウの位置と重なり順をコンポジターが決めるため、"
    "この設定は働きません。設定値はそのまま保存されます。";

bool WindowSession::CompositorDecides() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

} // namespace rimo
