#include "editor_font.h"

#include <QApplication>
#include <QFont>

namespace zentil {

void installEditorFont(QApplication& app) {
    const QString family = QStringLiteral("굴림");
    QFont::insertSubstitutions(
        family, {QStringLiteral("Gulim"), QStringLiteral("NanumGothic"),
                 QStringLiteral("NanumBarunGothic"), QStringLiteral("Noto Sans CJK KR")});
    QFont font(family);
    font.setPixelSize(13);
    app.setFont(font);
}

}  // namespace zentil
