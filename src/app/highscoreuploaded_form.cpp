// The result dialog of a publication.
#include "app/highscoreuploaded_form.h"

#include <QLabel>
#include <QPushButton>

#include "app/qt_text.h"
#include "infra/messages.h"
#include "online/highscore_publisher.h"
#include "online/internet.h"
#include "online/server_addresses.h"

namespace {

constexpr int ColumnWidth = 184;
constexpr int LeftColumn = 12, RightColumn = 204;

QString WithValue(const QLabel* label, const std::string& value) {
    return label->text() + " " + ToQString(value);
}

}  // namespace

THighscoreuploadedForm::THighscoreuploadedForm(const TScoreReply& reply, TInternet& internet,
                                               IMessages& messages, const IResources& resources,
                                               QWidget* parent)
    : TBackPictureDialog(resources, parent), internet_(internet), messages_(messages) {
    setObjectName("HighscoreuploadedForm");
    setWindowTitle("Highscore Uploaded!");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Label1 = AddLabel("Your score has been successfuly uploaded!", 14, 52, 12, true);
    p = AddLabel(" points", 0, 20, 10);
    p->hide();
    CreateColumn(reply, LeftColumn, "", Label2, Label3, Label4, Label5);
    Label2->setText("Overall Ranking List");
    CreateColumn(reply, RightColumn, "w", Label9, Label8, Label7, Label6);
    Label9->setText("Weekly Ranking List");
    Button1 = AddButton("Ok", width() / 2 - 60, 250, 100);
    Button2 = AddButton("Open Website", width() / 2 + 60, 250, 100);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

// One ranking list: its title, the rank, the old rank (the bare caption when
// the reply has none) and the score at the top of the list.
void THighscoreuploadedForm::CreateColumn(const TScoreReply& reply, int x, const char* prefix, QLabel*& title,
                                          QLabel*& rank, QLabel*& oldRank, QLabel*& top) {
    const auto key = [&](const char* name) { return std::string(prefix) + name; };
    title = AddLabel("", 76, 24, 11, true);
    rank = AddLabel("Your ranking:", 106, 22, 10);
    rank->setText(WithValue(rank, ShownReplyValue(reply, key("Rang"))));
    oldRank = AddLabel("Your old ranking:", 130, 22, 10);
    const std::string old = ShownReplyValue(reply, key("Alterrang"));
    if (!old.empty()) oldRank->setText(WithValue(oldRank, old));
    // Two lines of room for a long score, the first in step with the rows above.
    top = AddLabel("Top of the list:", 157, 44, 10);
    top->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    top->setText(WithValue(top, ShownReplyValue(reply, key("Platz1"))) + p->text());
    for (QLabel* label : {title, rank, oldRank, top})
        label->setGeometry(x, label->y(), ColumnWidth, label->height());
}

void THighscoreuploadedForm::Button2Click() {
    const std::string page = CampaignGamePage();
    if (!internet_.StartBrowser(page))
        messages_.Error("Could not open Internet browser. Please start it manually and goto " + page);
    accept();
}
