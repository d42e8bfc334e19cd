// What a load of many files shows while it runs: a progress dialog once it
// has run a while, the first file it cannot read in a box of its own, and
// every further one gathered into one box at the end, each with its reason.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <memory>

class QProgressDialog;
class QWidget;

namespace zentil {

class MessageSink;
struct Outcome;

// The progress dialog appears only between two files, once a load has run
// for `delayMs`, and never on a timer of its own; a message box takes its
// place while it is open.
class LoadProgress {
  public:
    LoadProgress(QWidget* parent, int total, int delayMs);
    ~LoadProgress();
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    // Before each file; false when the user cancelled.
    bool step(int done);
    // Out of the way of a message box; it comes back at the next file.
    void holdBack();
    void finish() { holdBack(); }

  private:
    QWidget* parent_;
    int total_;
    qint64 delayMs_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

class LoadProblems {
  public:
    LoadProblems(MessageSink& messages, LoadProgress& progress)
        : messages_(messages), progress_(progress) {}

    // A file that could not be read and why.
    void add(const Outcome& outcome, const QString& path);
    // A message that stops the load, shown at once.
    void stop(const Outcome& outcome);
    // The box of the files gathered since the first.
    void finish();

  private:
    MessageSink& messages_;
    LoadProgress& progress_;
    bool shownOne_ = false;
    QStringList gathered_;
};

}  // namespace zentil
