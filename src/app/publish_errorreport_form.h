// The error-report dialog: shows the log, takes a description and an
// address, mails both, or just deletes the log.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class IMessages;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TErrorReporter;

class TPublishErrorreportForm : public QDialog {
    Q_OBJECT

public:
    // reporter sends the mail; errors go to messages as error boxes.
    TPublishErrorreportForm(TErrorReporter& reporter, IMessages& messages, QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QLabel* Label4 = nullptr;
    // Shown when the replay of the game that failed goes along.
    QLabel* Label5 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // The log to attach, resolved at show time; empty when there was none.
    std::string LogPath;
    // The replay kept with that log; empty when there is none (or no log).
    std::string ReplayPath;

    void FormShow();
    void FormClose();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* e) override;
    // Every way of closing (buttons, Escape, the close box) passes here.
    void done(int result) override;

private:
    void CreateControls();

    TErrorReporter& reporter_;
    IMessages& messages_;
};

// "Send Errorreport" of the menu window: the dialog, modal over parent,
// mailing through the configured mail host (VANTOREL_MAIL_HOST, _PORT, _TO).
// goOnline dials up when needed and tells whether the machine is online.
void ShowErrorReportDialog(QWidget* parent, IMessages& messages, std::function<bool()> goOnline);
