// A modal dialog on the "BACK" picture, stretched over a client area of half
// its size, with centred, transparent, word-wrapped labels; it shows in the
// middle of the screen.
#pragma once

#include <QDialog>

class IResources;
class QLabel;
class QPushButton;

class TBackPictureDialog : public QDialog {
public:
    // The picture "BACK" comes from the resource table.
    explicit TBackPictureDialog(const IResources& resources, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    // A label across the dialog at height y.
    QLabel* AddLabel(const QString& text, int y, int height, int pointSize, bool bold = false);
    // A button centred on x.
    QPushButton* AddButton(const QString& caption, int centreX, int y, int width = 75);
};
