#include "application_setup.h"

#include <QApplication>
#include <QFont>

namespace zentil {
namespace {

void installEditorFont(QApplication& app) {
    const QString family = QStringLiteral("굴림");
    QFont::insertSubstitutions(
        family, {QStringLiteral("Gulim"), QStringLiteral("NanumGothic"),
                 QStringLiteral("NanumBarunGothic"), QStringLiteral("Noto Sans CJK KR")});
    QFont font(family);
    font.setPixelSize(13);
    app.setFont(font);
}

}  // namespace

void prepareApplication(QApplication& app) {
    // Only the name: a display name would be appended to every window
    // caption, and the captions stand alone ("오류", "알림"). With the
    // organisation they name the platform's settings (the canvas zoom),
    // e.g. ~/.config/Zentil/Zentil Editor.conf.
    QApplication::setOrganizationName(QStringLiteral("Zentil"));
    QApplication::setApplicationName(QStringLiteral("Zentil Editor"));
    installEditorFont(app);
}

}  // namespace zentil
