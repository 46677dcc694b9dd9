// An invisible area of a window that reports left-button presses: the menu
// picture's PLAY button is such an area laid over the painted button.
#pragma once

#include <QMouseEvent>
#include <QWidget>

#include <functional>
#include <utility>

class TPressArea : public QWidget {
public:
    TPressArea(QWidget* parent, std::function<void()> onPress)
        : QWidget(parent), onPress_(std::move(onPress)) {
        setAttribute(Qt::WA_TranslucentBackground);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onPress_) onPress_();
    }

private:
    std::function<void()> onPress_;
};
