// Message boxes over the active window of the program.
#include "app/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

#include "app/qt_text.h"

namespace {

QWidget* Owner() {
    QWidget* w = QApplication::activeWindow();
    return w ? w : QApplication::activeModalWidget();
}

// Texts are shown as they stand: a message may carry what a server sent, and
// markup in it must not turn into rich text, links or pictures.
int ShowMessageBox(QMessageBox::Icon icon, const char* title, std::string_view text,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, MessageBoxText(text), buttons, Owner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

}  // namespace

QString MessageBoxText(std::string_view text) {
    QString s = ToQString(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

void QtMessages::Information(std::string_view text) {
    ShowMessageBox(QMessageBox::Information, "Information", text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessages::Error(std::string_view text) {
    ShowMessageBox(QMessageBox::Critical, "Error", text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessages::Question(std::string_view text) {
    return ShowMessageBox(QMessageBox::Question, "Confirm", text, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::No) == QMessageBox::Yes;
}
