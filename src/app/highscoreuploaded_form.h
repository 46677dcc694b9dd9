// The result of a publication: the player's overall and weekly ranks, the
// old ones and the top scores, on the "BACK" picture. Modal.
#pragma once

#include "app/back_picture_dialog.h"

class IMessages;
class IResources;
class TInternet;
class TScoreReply;

class THighscoreuploadedForm : public TBackPictureDialog {
public:
    // The labels show the reply's values as plain text; "Open Website"
    // starts the browser through internet, failures go to messages.
    THighscoreuploadedForm(const TScoreReply& reply, TInternet& internet, IMessages& messages,
                           const IResources& resources, QWidget* parent = nullptr);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLabel *Label9 = nullptr, *Label8 = nullptr, *Label7 = nullptr, *Label6 = nullptr;
    QLabel* p = nullptr;             // " points", hidden
    QPushButton* Button1 = nullptr;  // "Ok"
    QPushButton* Button2 = nullptr;  // "Open Website"

    void Button2Click();

private:
    void CreateColumn(const TScoreReply& reply, int x, const char* prefix, QLabel*& title, QLabel*& rank,
                      QLabel*& oldRank, QLabel*& top);

    TInternet& internet_;
    IMessages& messages_;
};
