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

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// How many lines of a detail the box shows; a longer one (the files a save
// of all would write, the files a load could not read) shows its first lines and the whole behind
// "Show Details...".
constexpr int kDetailLinesShown = 12;

void showDetail(QMessageBox& box, std::string_view detail) {
    if (detail.empty()) return;
    const QString text = fromUtf8(detail);
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() <= kDetailLinesShown) {
        box.setInformativeText(text);
        return;
    }
    box.setInformativeText(lines.mid(0, kDetailLinesShown - 1).join(QLatin1Char('\n')) +
                           QStringLiteral("\n…"));
    box.setDetailedText(text);
}

}  // namespace

void QtMessageSink::message(std::string_view caption, std::string_view text,
                            std::string_view detail) {
    QMessageBox box(QMessageBox::NoIcon, uiText(caption), uiText(text), QMessageBox::Ok,
                    ownerFor(parent_));
    showDetail(box, detail);
    box.exec();
}

bool QtMessageSink::ask(std::string_view caption, std::string_view text, std::string_view detail) {
    QMessageBox box(QMessageBox::Question, uiText(caption), uiText(text),
                    QMessageBox::Yes | QMessageBox::No, ownerFor(parent_));
    box.setDefaultButton(QMessageBox::No);
    showDetail(box, detail);
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
