// The file dialog's dates follow the language kept from the last run, as
// they follow --lang: the program starts as the editor does, in a process of
// its own (Qt reads the system locale once per process), with the choice
// kept in a settings folder of its own and the environment naming another
// language. Exits 0 when the system locale words times in the kept
// language, 1 otherwise; usage: zentil_start_dates_check en|ko
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTime>
#include <cstdio>
#include <cstring>

#include "application_setup.h"
#include "editor_language.h"

int main(int argc, char** argv) {
    using namespace zentil;
    if (argc != 2 || (std::strcmp(argv[1], "en") != 0 && std::strcmp(argv[1], "ko") != 0)) {
        std::fprintf(stderr, "usage: zentil_start_dates_check en|ko\n");
        return 2;
    }
    const bool english = std::strcmp(argv[1], "en") == 0;
    // The kept choice, and an environment that names the other language.
    QTemporaryDir settings;
    const QString folder = settings.filePath(QString::fromLatin1(kOrganisationName));
    QDir().mkpath(folder);
    QFile file(folder + u'/' + QString::fromLatin1(kApplicationName) + QStringLiteral(".conf"));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(english ? "[General]\nlanguage=en\n" : "[General]\nlanguage=ko\n") < 0)
        return 2;
    file.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    qunsetenv("LC_ALL");
    qunsetenv("LC_TIME");
    qputenv("LANG", english ? "ko_KR.UTF-8" : "en_US.UTF-8");

    nameApplication();
    const Language language = startLanguage(std::nullopt);
    QCoreApplication app(argc, argv);
    if (language != (english ? Language("en") : Language::korean())) {
        std::fprintf(stderr, "the kept language was not chosen\n");
        return 1;
    }
    // Korean words the morning as "오전"; English and the C locale do not.
    const QString morning = QLocale::system().toString(QTime(7, 3), QLocale::ShortFormat);
    const bool wordedInKorean = morning.contains(QStringLiteral("오전"));
    std::printf("%s\n", morning.toUtf8().constData());
    return wordedInKorean == !english ? 0 : 1;
}
