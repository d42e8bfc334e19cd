#include "qt_message_sink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core_texts.h"

namespace zentil {
namespace {

// A box over the window that is modal at the moment (a progress dialog, a
// dialog) so that it stays on top of it and takes input.
QWidget* ownerFor(QWidget* fallback) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : fallback;
}

constexpr qsizetype kShownDetailLines = 12;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMessageSink::message(std::string_view caption, std::string_view text,
                            std::string_view detail) {
    QMessageBox box(QMessageBox::NoIcon, uiText(caption), uiText(text), QMessageBox::Ok,
                    ownerFor(parent_));
    const QString whole = fromUtf8(detail);
    const QStringList lines = whole.split(QLatin1Char('\n'));
    if (lines.size() <= kShownDetailLines) {
        box.setInformativeText(whole);
    } else {
        // A long list (the files a load could not read) would outgrow the
        // screen: its first lines show, and the box's details hold it whole.
        box.setInformativeText(lines.first(kShownDetailLines).join(QLatin1Char('\n')) +
                               QStringLiteral("\n…"));
        box.setDetailedText(whole);
    }
    box.exec();
}

bool QtMessageSink::ask(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Question, uiText(caption), uiText(text),
                    QMessageBox::Yes | QMessageBox::No, ownerFor(parent_));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtMessageSink::choose(std::string_view caption, std::string_view text,
                          const std::vector<std::string>& answers, int fallback) {
    QMessageBox box(QMessageBox::Question, uiText(caption), uiText(text), QMessageBox::NoButton,
                    ownerFor(parent_));
    std::vector<QPushButton*> buttons;
    for (const std::string& answer : answers)
        buttons.push_back(box.addButton(uiText(answer), QMessageBox::ActionRole));
    if (fallback >= 0 && fallback < static_cast<int>(buttons.size())) {
        box.setDefaultButton(buttons[static_cast<std::size_t>(fallback)]);
        box.setEscapeButton(buttons[static_cast<std::size_t>(fallback)]);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return fallback;
}

}  // namespace zentil
