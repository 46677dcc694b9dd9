// The dialog after a game that raised the top score: congratulations and the
// offer to publish the score. Modal; Yes means publish.
#pragma once

#include <cstdint>

#include "app/back_picture_dialog.h"

class TNewHighscoreForm : public TBackPictureDialog {
public:
    // FormCreate runs here; score is rank 1's score.
    TNewHighscoreForm(std::int32_t score, const IResources& resources, QWidget* parent = nullptr);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QPushButton* Button1 = nullptr;  // "Yes"
    QPushButton* Button2 = nullptr;  // "No"

    // Shows the dialog modally; true when the player chose Yes.
    bool ShowModal();
};
