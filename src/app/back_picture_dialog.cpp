// The dialogs on the "BACK" picture: background, size and label style.
#include "app/back_picture_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "app/jpeg_pixmap.h"
#include "app/window_placement.h"

namespace {
constexpr int LabelMargin = 16;
}

TBackPictureDialog::TBackPictureDialog(const IResources& resources, QWidget* parent) : QDialog(parent) {
    const QPixmap picture = LoadJpegPixmap(resources, "BACK");
    setFixedSize(picture.width() / 2, picture.height() / 2);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(rect());
    Image1->setScaledContents(true);
    Image1->setPixmap(picture);
}

void TBackPictureDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) CentreOnScreen(*this);
}

QLabel* TBackPictureDialog::AddLabel(const QString& text, int y, int height, int pointSize, bool bold) {
    auto* label = new QLabel(text, this);
    label->setGeometry(LabelMargin, y, width() - 2 * LabelMargin, height);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QPushButton* TBackPictureDialog::AddButton(const QString& caption, int centreX, int y, int buttonWidth) {
    auto* button = new QPushButton(caption, this);
    button->setGeometry(centreX - buttonWidth / 2, y, buttonWidth, 25);
    return button;
}
