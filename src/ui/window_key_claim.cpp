#include "window_key_claim.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace zentil {

WindowKeyClaim::WindowKeyClaim(QWidget* window, QList<QKeySequence> keys)
    : QObject(window), window_(window), keys_(std::move(keys)) {
    QCoreApplication::instance()->installEventFilter(this);
}

WindowKeyClaim::~WindowKeyClaim() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool WindowKeyClaim::eventFilter(QObject* watched, QEvent* event) {
    // A focused widget asks with this event whether it may take a key that
    // is also a shortcut; left unanswered, the shortcut runs. A key whose
    // command cannot run now (nothing to undo) comes as a press, which no
    // widget gets either.
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != window_) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    if (!keys_.contains(pressed)) return false;
    event->ignore();
    return true;
}

}  // namespace zentil
