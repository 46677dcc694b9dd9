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

}  // namespace

QString MessageBoxText(std::string_view text) {
    QString s = ToQString(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

void QtMessages::Information(std::string_view text) {
    QMessageBox::information(Owner(), "Information", MessageBoxText(text), QMessageBox::Ok);
}

void QtMessages::Error(std::string_view text) {
    QMessageBox::critical(Owner(), "Error", MessageBoxText(text), QMessageBox::Ok);
}

bool QtMessages::Question(std::string_view text) {
    return QMessageBox::question(Owner(), "Confirm", MessageBoxText(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
