// The info dialog and its version check.
#include "app/info_form.h"

#include <QLabel>
#include <QPushButton>

#include <string>

#include "infra/messages.h"
#include "online/internet.h"
#include "online/server_addresses.h"
#include "online/system_report.h"
#include "online/version_check.h"

TInfoForm::TInfoForm(TInternet& internet, const TOutsideWorld& outside, QWidget* parent)
    : TBackPictureDialog(*outside.Resources, parent), internet_(internet), messages_(*outside.Messages) {
    setObjectName("InfoForm");
    setWindowTitle("Info");
    const QString version = QString::fromLatin1(ProgramVersion.data(), int(ProgramVersion.size()));
    Label1 = AddLabel("Vantorel", 34, 44, 26, true);
    Label2 = AddLabel("Version " + version, 84, 24, 12, true);
    Label3 = AddLabel("Available Memory: " + QString::number(GetAvailableMemory(*outside.Facts)) + "Kb", 124,
                      22, 10);
    Label4 =
        AddLabel("Memory Needed (Aproximately): " + QString::number(MinimumMemoryKB) + "Kb", 148, 22, 10);
    Button2 = AddButton("Check if new version is available", width() / 2, 200, 240);
    Button1 = AddButton("Ok", width() / 2, 250);
    Button1->setDefault(true);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfoForm::Button2Click() {
    std::string text;
    internet_.HttpGet(GameServerPage("version.txt"), text);
    if (text.empty()) return;  // offline (already said) or an empty file
    const TVersionReply reply = EvaluateVersionReply(text);
    switch (reply.Kind) {
        case TVersionReply::TKind::Newer:
            if (messages_.Question(NewVersionQuestion(reply))) internet_.OpenUrl(reply.Url);
            break;
        case TVersionReply::TKind::Latest:
            messages_.Information(LatestVersionMessage);
            break;
        case TVersionReply::TKind::Nothing:
            break;
    }
}
