#include "qt_message_sink.h"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace

void QtMessageSink::message(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(caption), fromUtf8(text), QMessageBox::Ok,
                    ownerFor(parent_));
    box.exec();
}

bool QtMessageSink::ask(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Question, fromUtf8(caption), fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, ownerFor(parent_));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace zentil
