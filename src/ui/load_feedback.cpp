#include "load_feedback.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "core_texts.h"
#include "file_paths.h"
#include "message_sink.h"
#include "system/outcome.h"
#include "system/texts.h"

namespace zentil {

LoadProgress::LoadProgress(QWidget* parent, int total, int delayMs)
    : parent_(parent), total_(total), delayMs_(delayMs) {
    clock_.start();
}

LoadProgress::~LoadProgress() = default;

bool LoadProgress::step(int done) {
    if (total_ < 2) return true;
    if (!dialog_ && clock_.elapsed() >= delayMs_) {
        dialog_ = std::make_unique<QProgressDialog>(
            QCoreApplication::translate("zentil::FileCommands", "불러오는 중..."),
            QCoreApplication::translate("zentil::FileCommands", "취소"), 0, total_, parent_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    if (!dialog_) return true;
    dialog_->setValue(done);  // a window-modal dialog also handles pending events here
    return !dialog_->wasCanceled();
}

// Made again at the next file: the dialog would show itself again on its
// own timer behind the box if it were only hidden.
void LoadProgress::holdBack() {
    dialog_.reset();
}

void LoadProblems::add(const Outcome& outcome, const QString& path) {
    if (!outcome.reportable()) return;
    if (shownOne_) {
        gathered_.append(QString::fromStdString(shownPath(path)) + QStringLiteral(" — ") +
                         uiText(outcome.text));
        return;
    }
    shownOne_ = true;
    progress_.holdBack();
    messages_.report(outcome, shownPath(path));
}

void LoadProblems::stop(const Outcome& outcome) {
    progress_.holdBack();
    messages_.report(outcome);
}

void LoadProblems::finish() {
    if (gathered_.isEmpty()) return;
    progress_.holdBack();
    const QString text =
        QCoreApplication::translate("zentil::FileCommands", "다음 파일도 읽지 못했습니다.");
    messages_.message(texts::kCaptionError, text.toStdString(),
                      gathered_.join(QLatin1Char('\n')).toStdString());
    gathered_.clear();
}

}  // namespace zentil
