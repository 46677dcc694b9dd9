// The level editor window: the current level file as plain text, saved back
// scrambled. Not modal; frees itself when closed.
#pragma once

#include <QWidget>

class IMessages;
class QPlainTextEdit;
class QPushButton;

class TEditorForm : public QWidget {
public:
    explicit TEditorForm(IMessages& messages, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Exit"
    QPushButton* Button2 = nullptr;  // "Save"

    // Loads the level file into the memo. A missing file gives an empty text
    // that Save creates; a file that cannot be read shows the error and
    // disables Save, so the level is never overwritten with an empty text.
    void FormShow();
    // Writes the memo's lines scrambled to the level file. Text that the
    // level file cannot hold (Windows-1252) is reported and nothing is written.
    void Button2Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormResize();

    IMessages& messages_;
};
