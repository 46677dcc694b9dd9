// The new-high-score dialog.
#include "app/new_highscore_form.h"

#include <QLabel>
#include <QPushButton>

TNewHighscoreForm::TNewHighscoreForm(std::int32_t score, const IResources& resources, QWidget* parent)
    : TBackPictureDialog(resources, parent) {
    setObjectName("NewHighscoreForm");
    setWindowTitle("A New Highscore!");
    Label1 = AddLabel("Congratulations!", 30, 44, 24, true);
    Label4 = AddLabel(QString::number(score) + " Points,", 84, 28, 16, true);
    Label2 = AddLabel("a new highscore!", 114, 28, 16, true);
    Label3 = AddLabel("Do you want to upload it to the worldwide web ranking list?", 160, 44, 11);
    Button1 = AddButton("Yes", width() / 2 - 50, 240);
    Button2 = AddButton("No", width() / 2 + 50, 240);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TNewHighscoreForm::ShowModal() {
    return exec() == QDialog::Accepted;
}
