// Acting on a modal dialog from a widget test: the dialog's exec() runs its
// own event loop, in which a timer finds the dialog and hands it over.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Once a visible window of type Dialog appears, act runs on it once (act
// should close it). The watch ends with the returned timer.
template <class Dialog>
std::unique_ptr<QTimer> WhenShown(std::function<void(Dialog&)> act) {
    auto timer = std::make_unique<QTimer>();
    QTimer* t = timer.get();
    QObject::connect(t, &QTimer::timeout, t, [t, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = dynamic_cast<Dialog*>(w);
            if (!dialog || !dialog->isVisible()) continue;
            t->stop();
            act(*dialog);
            return;
        }
    });
    t->start(5);
    return timer;
}
