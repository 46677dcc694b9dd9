// The error-report dialog.
#include "app/publish_errorreport_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

#include "app/qt_text.h"
#include "app/wait_cursor.h"
#include "app/window_placement.h"
#include "infra/config_file.h"
#include "infra/log.h"
#include "infra/messages.h"
#include "infra/paths.h"
#include "online/error_report.h"
#include "online/server_addresses.h"
#include "platform/curl_mail_client.h"

namespace {

constexpr const char* EmailSetting = "PER Name";
constexpr int DialogWidth = 560, DialogHeight = 560;

// Shows the wait cursor while the mail goes out (the transfer blocks the
// window), and only then: the message boxes that follow get the normal one.
class TWaitingMailClient : public IMailClient {
public:
    explicit TWaitingMailClient(IMailClient& mail) : mail_(mail) {}
    void Send(const TMailMessage& message) override {
        const TWaitCursor wait;
        mail_.Send(message);
    }

private:
    IMailClient& mail_;
};

QPlainTextEdit* ScrollingMemo(QWidget* parent, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(ToQString(text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TPublishErrorreportForm::TPublishErrorreportForm(TErrorReporter& reporter, IMessages& messages,
                                                 QWidget* parent)
    : QDialog(parent), reporter_(reporter), messages_(messages) {
    setWindowTitle("Send Errorreport");
    setModal(true);
    CreateControls();
    resize(DialogWidth, DialogHeight);
}

void TPublishErrorreportForm::CreateControls() {
    Label2 = Caption(this, "Label2", "Error Description (What happened? How can we reproduce the error?):");
    Memo1 = ScrollingMemo(this, "Memo1");
    Label3 = Caption(this, "Label3", "Additionally, this logfile will be attached to your report:");
    Memo2 = ScrollingMemo(this, "Memo2");
    Memo2->setReadOnly(true);
    Memo2->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    Label5 = Caption(this, "Label5", "The replay of the game that failed goes along as well.");
    Label5->hide();
    Label4 =
        Caption(this, "Label4",
                "Probably we need additional help from you to find and eleminate the bug. Perhaps we have "
                "further questions or we want to send you a debug version of the program. We can only get "
                "in touch with you if you enter your email here:");
    Label4->setWordWrap(true);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Button1 = new QPushButton("Send Report to Kolbrin Switzerland", this);
    Button1->setObjectName("Button1");
    Button1->setAutoDefault(false);
    Button2 = new QPushButton("Clear Logfile", this);
    Button2->setObjectName("Button2");
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    // The buttons at the bottom right, as in the program's other plain dialogs.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w :
         {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Memo1), static_cast<QWidget*>(Label3),
          static_cast<QWidget*>(Memo2), static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label4),
          static_cast<QWidget*>(Edit1)})
        layout->addWidget(w);
    layout->addLayout(buttons);
    setTabOrder(Memo1, Edit1);
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, Button2);
}

void TPublishErrorreportForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Not again when the window manager restores the minimised dialog: what
    // was typed stays, and a log written meanwhile is not attached.
    if (e->spontaneous()) return;
    CentreOnScreen(*this);
    FormShow();
    Memo1->setFocus();
}

void TPublishErrorreportForm::FormShow() {
    Edit1->setText(ToQString(ReadSettingRaw(EmailSetting, messages_)));
    LogPath = ResolvePath("sps/log.txt");
    Memo2->clear();
    // What is shown is what a report would carry: at most the log's last MiB.
    const auto log = FileExists(LogPath) ? ReadLogTail(LogPath) : std::nullopt;
    if (log) {
        Memo2->setPlainText(ToQString(log->Bytes));
    } else {
        Memo2->appendPlainText("No logfile available (" + QString::fromLocal8Bit(LogPath.c_str()) + ")");
        LogPath.clear();
    }
    // The replay belongs to the log: without the log it does not go either.
    ReplayPath = !LogPath.empty() && FileExists(LogReplayFile) ? ResolvePath(LogReplayFile) : std::string();
    Label5->setVisible(!ReplayPath.empty());
}

void TPublishErrorreportForm::FormClose() {
    WriteSetting(EmailSetting, FromQString(Edit1->text()));
}

void TPublishErrorreportForm::Button1Click() {
    // Log and dialog stay unless the server accepted the report, so that
    // nothing is lost when the machine is offline or the mail is refused.
    try {
        if (!reporter_.SendErrorMail(FromQString(Edit1->text()), FromQString(Memo1->toPlainText()), LogPath,
                                     ReplayPath))
            return;
    } catch (const std::exception& e) {
        messages_.Error(e.what());
        return;
    }
    DeleteLog();
    accept();
}

void TPublishErrorreportForm::Button2Click() {
    DeleteLog();
    accept();
}

void TPublishErrorreportForm::done(int result) {
    try {
        FormClose();
    } catch (const std::exception& e) {
        messages_.Error(e.what());
    }
    QDialog::done(result);
}

void ShowErrorReportDialog(QWidget* parent, IMessages& messages, std::function<bool()> goOnline) {
    TCurlMailClient curl(ErrorMailHost(), ErrorMailPort());
    TWaitingMailClient mail(curl);
    TErrorReporter reporter(mail, messages, std::move(goOnline), ErrorMailRecipient());
    TPublishErrorreportForm form(reporter, messages, parent);
    form.exec();
}
