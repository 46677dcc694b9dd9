// The level editor window.
#include "app/editor_form.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "app/qt_text.h"
#include "app/window_placement.h"
#include "infra/messages.h"
#include "infra/paths.h"
#include "world/swarm.h"

namespace {

constexpr int ButtonWidth = 75, ButtonHeight = 25;
constexpr int ButtonRoom = 33;

// The characters of a line that Windows-1252 has no byte for, as "U+20AC" codes.
QString Unstorable(const QString& line) {
    QStringList missing;
    for (const char32_t c : line.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        const QString code = QString("U+%1").arg(static_cast<uint>(c), 4, 16, QChar('0')).toUpper();
        if (ToQString(FromQString(one)) != one && !missing.contains(code)) missing << code;
    }
    return missing.join(' ');
}

}  // namespace

TEditorForm::TEditorForm(IMessages& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("EditorForm");
    setWindowTitle("Editor");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font("Courier New");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(14);
    font.setBold(true);
    Memo1->setFont(font);
    Button1 = new QPushButton("Exit", this);
    Button2 = new QPushButton("Save", this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    resize(485, 469);
    CentreOnScreen(*this);
}

void TEditorForm::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FormShow();
    QWidget::showEvent(e);
}

void TEditorForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}

void TEditorForm::FormResize() {
    Memo1->setGeometry(0, 0, width(), height() - ButtonRoom);
    const int y = height() - ButtonRoom + (ButtonRoom - ButtonHeight) / 2;
    Button1->setGeometry(width() - ButtonWidth - 8, y, ButtonWidth, ButtonHeight);
    Button2->setGeometry(width() - 2 * ButtonWidth - 16, y, ButtonWidth, ButtonHeight);
}

void TEditorForm::FormShow() {
    Memo1->clear();
    Button2->setEnabled(true);
    // A new level: Save creates the file. Anything else at its place must be read first.
    std::error_code error;
    if (!std::filesystem::exists(ResolvePath(LevelFileName()), error)) return;
    std::vector<std::string> lines;
    try {
        LoadLevelFile(lines);
    } catch (const std::exception& e) {
        Button2->setEnabled(false);
        messages_.Error(e.what());
        return;
    }
    QStringList text;
    for (const auto& line : lines) text << ToQString(line);
    Memo1->setPlainText(text.join('\n'));
}

void TEditorForm::Button2Click() {
    const QStringList text = Memo1->toPlainText().split('\n');
    std::vector<std::string> lines;
    for (int i = 0; i < text.size(); ++i) {
        const QString missing = Unstorable(text[i]);
        if (!missing.isEmpty()) {
            messages_.Error(FromQString("Line " + QString::number(i + 1) +
                                        " holds characters that a level file cannot store: " + missing +
                                        ". Nothing was saved."));
            return;
        }
        lines.push_back(FromQString(text[i]));
    }
    try {
        SaveLevelFile(lines);
    } catch (const std::exception& e) {
        messages_.Error(e.what());
    }
}

void TEditorForm::Button1Click() {
    close();
}
