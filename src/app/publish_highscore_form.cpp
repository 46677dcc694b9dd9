// The publishing dialog.
#include "app/publish_highscore_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/highscoreuploaded_form.h"
#include "app/qt_text.h"
#include "app/window_placement.h"
#include "game/replay_files.h"
#include "infra/env_data.h"
#include "infra/paths.h"

namespace {

constexpr int NameLength = 20, EmailLength = 40, CommentLength = 80;
constexpr int MaxAge = 110;
constexpr int DialogWidth = 460;

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

// The replay of a published game goes out through the plain client (off the
// window's thread, so without the wait cursor), found among the player's replays.
TReplayUploads ReplayUploadsOf(IHttpClient& http) {
    return {&http, [folder = ResolvePath(ReplayDir)](std::int32_t score, const std::string& statText) {
                return FindReplayOfScore(folder, score, statText);
            }};
}

// The text of an edit as Env stores it: Windows-1252, at most maxLength bytes.
std::string EditText(const QLineEdit* edit, std::size_t maxLength) {
    return FromQString(edit->text()).substr(0, maxLength);
}

}  // namespace

TPublishHighscoreForm::TPublishHighscoreForm(TInternet& internet, IMessages& messages,
                                             const IResources& resources, TEnvData& env,
                                             std::function<void()> saveEnv, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      resources_(resources),
      env_(env),
      waitingHttp_(internet.Http()),
      internet_(internet.WithHttp(waitingHttp_)),
      publisher_(internet_, messages, env, std::move(saveEnv), ReplayUploadsOf(internet.Http())) {
    setObjectName("PublishHighscoreForm");
    setWindowTitle("Publish Highscore");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, PublishHighscoreColour);
    setPalette(palette);
    setAutoFillBackground(true);
    CreateControls();
    setFixedWidth(DialogWidth);
}

void TPublishHighscoreForm::CreateControls() {
    Label1 = Caption(this, "Label1", "Your highest score:");
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = Caption(this, "Label2", "");
    Label2->setAlignment(Qt::AlignCenter);
    QFont big = Label2->font();
    big.setPointSize(16);
    big.setBold(true);
    Label2->setFont(big);
    Button1 = new QPushButton("Publish", this);
    Button1->setObjectName("Button1");
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(CreatePublicData());
    layout->addWidget(CreatePrivateData());
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
}

QGroupBox* TPublishHighscoreForm::CreatePublicData() {
    GroupBox1 = new QGroupBox("Additional data which will appear in the web highscore: ", this);
    GroupBox1->setObjectName("GroupBox1");
    Label3 = Caption(GroupBox1, "Label3", "Name:");
    Edit1 = Edit(GroupBox1, "Edit1", NameLength);
    Label4 = Caption(GroupBox1, "Label4", "City:");
    Edit2 = Edit(GroupBox1, "Edit2", NameLength);
    Label5 = Caption(GroupBox1, "Label5", "Country:");
    Edit3 = Edit(GroupBox1, "Edit3", NameLength);
    Label6 = Caption(GroupBox1, "Label6", "Age:");
    SpinEdit1 = new QSpinBox(GroupBox1);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(0, MaxAge);
    Label7 = Caption(GroupBox1, "Label7", "Male/female:");
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->addItems({"", "f", "m"});
    auto* form = new QFormLayout(GroupBox1);
    form->addRow(Label3, Edit1);
    form->addRow(Label4, Edit2);
    form->addRow(Label5, Edit3);
    form->addRow(Label6, SpinEdit1);
    form->addRow(Label7, ComboBox1);
    return GroupBox1;
}

QGroupBox* TPublishHighscoreForm::CreatePrivateData() {
    GroupBox2 = new QGroupBox("Additional data that will NOT appear in the highscore table:", this);
    GroupBox2->setObjectName("GroupBox2");
    Label8 = Caption(GroupBox2, "Label8", "Email (If you want to win a prize):");
    Edit4 = Edit(GroupBox2, "Edit4", EmailLength);
    Label9 = Caption(GroupBox2, "Label9", "A comment which will be forwarded to us:");
    Edit5 = Edit(GroupBox2, "Edit5", CommentLength);
    auto* column = new QVBoxLayout(GroupBox2);
    for (QWidget* w : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Edit4),
                       static_cast<QWidget*>(Label9), static_cast<QWidget*>(Edit5)})
        column->addWidget(w);
    return GroupBox2;
}

void TPublishHighscoreForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    CentreOnScreen(*this);
    FormShow();
}

void TPublishHighscoreForm::FormShow() {
    Label2->setText(QString::number(env_.Highscores[0].Score));
    Edit1->setText(ToQString(env_.Highscores[0].Name.str()));
    Edit2->setText(ToQString(env_.City.str()));
    Edit3->setText(ToQString(env_.Country.str()));
    SpinEdit1->setValue(env_.Age);
    ComboBox1->setCurrentIndex(env_.Sex == 'f' ? 1 : env_.Sex == 'm' ? 2 : 0);
    Edit4->setText(ToQString(env_.Email.str()));
    Edit5->clear();  // the comment always starts empty
}

void TPublishHighscoreForm::SavePublishData() {
    env_.PublishName.reset(EditText(Edit1, NameLength));
    env_.City.reset(EditText(Edit2, NameLength));
    env_.Country.reset(EditText(Edit3, NameLength));
    env_.Age = SpinEdit1->value();
    const std::string sex = FromQString(ComboBox1->currentText());
    env_.Sex = sex.empty() ? ' ' : sex[0];
    env_.Email.reset(EditText(Edit4, EmailLength));
    env_.Comment.reset(EditText(Edit5, CommentLength));
}

void TPublishHighscoreForm::Button1Click() {
    SavePublishData();
    const TPublishResult result = publisher_.Publish();
    switch (result.Outcome) {
        case TPublishOutcome::NameMissing:
            Edit1->setFocus();
            break;
        case TPublishOutcome::Failed:
            break;  // open for another try
        case TPublishOutcome::Published: {
            THighscoreuploadedForm uploaded(result.Reply, internet_, messages_, resources_, this);
            uploaded.exec();
            close();
            break;
        }
    }
}

QWidget* ShowPublishHighscoreDialog(QWidget* parent, TInternet& internet, IMessages& messages,
                                    const IResources& resources) {
    if (parent) {
        for (auto* open :
             parent->findChildren<TPublishHighscoreForm*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!open->isVisible()) continue;  // closed, not yet freed
            open->raise();
            open->activateWindow();
            return nullptr;
        }
    }
    auto* form = new TPublishHighscoreForm(internet, messages, resources, Env, &SaveEnv, parent);
    form->show();
    return form;
}
