#include "application_setup.h"

#include <QApplication>
#include <QFont>

#include "editor_language.h"
#include "zentil_version.h"

// The built-in icon lives in a library of its own; this brings its resource
// in wherever the windows are linked.
static void initBuiltInIcon() {
    Q_INIT_RESOURCE(zentil_icon);
}

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

QIcon editorIcon() {
    initBuiltInIcon();
    QIcon builtIn;
    for (const int size : {16, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(kAppId)),
                        QSize(size, size));
    return QIcon::fromTheme(QString::fromLatin1(kAppId), builtIn);
}

void nameApplication() {
    // Only the name: a display name would be appended to every window
    // caption, and the captions stand alone ("오류", "알림").
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganisationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
}

void prepareApplication(QApplication& app, const Language& language) {
    nameApplication();
    installEditorFont(app);
    installLanguage(app, language);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QApplication::setWindowIcon(editorIcon());
}

}  // namespace zentil
