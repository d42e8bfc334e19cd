#include "about_box.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "work/library_versions.h"
#include "zentil_version.h"

namespace zentil {
namespace {

struct AboutBox {
    Q_DECLARE_TR_FUNCTIONS(zentil::AboutBox)
};

}  // namespace

QString aboutText() {
    QString libraries = QStringLiteral("<li>Qt %1</li>").arg(QString::fromLatin1(qVersion()));
    for (const LibraryVersion& library : coreLibraries())
        libraries += QStringLiteral("<li>%1 %2</li>")
                         .arg(QString::fromStdString(library.name),
                              QString::fromStdString(library.version).toHtmlEscaped());
    return QStringLiteral("<h3>Zentil Editor %1</h3><p>%2</p><p>%3</p><p>%4</p><ul>%5</ul>")
        .arg(QString::fromLatin1(kVersion),
             AboutBox::tr("게임기용 스프라이트 시트와 타일을 만드는 편집기입니다."),
             AboutBox::tr("이 프로그램은 자유 소프트웨어입니다. GNU 일반 공중 사용 허가서 3판 또는 "
                          "(선택에 따라) 그 이후 판(GPL-3.0-or-later)에 따라 배포하거나 고칠 수 "
                          "있습니다. 이 프로그램에는 어떠한 보증도 없습니다."),
             AboutBox::tr("쓰인 라이브러리:"), libraries);
}

void showAboutBox(QWidget* parent) {
    QMessageBox::about(parent, AboutBox::tr("Zentil Editor 정보"), aboutText());
}

}  // namespace zentil
