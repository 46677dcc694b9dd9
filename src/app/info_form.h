// The info dialog: the program's name and version, the memory available and
// needed, and the check for a newer version on the game server.
#pragma once

#include "app/back_picture_dialog.h"
#include "infra/outside_world.h"

class TInternet;

class TInfoForm : public TBackPictureDialog {
public:
    // FormCreate runs here. The outside world gives the message boxes, the
    // picture and the machine's memory figures.
    TInfoForm(TInternet& internet, const TOutsideWorld& outside, QWidget* parent = nullptr);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QPushButton* Button2 = nullptr;  // the version check
    QPushButton* Button1 = nullptr;  // "Ok"

    // Fetches the version file and says what it found; a failed transfer
    // raises EHttpError to the application's error box.
    void Button2Click();

private:
    TInternet& internet_;
    IMessages& messages_;
};
