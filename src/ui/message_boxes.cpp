#include "ui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace zelk {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void MessageBoxes::ShowMessage(const std::string& text) {
    shown.push_back(text);
    if (!recording_) {
        QMessageBox::information(owner_, QApplication::applicationName(), Q(text));
    }
}

bool MessageBoxes::Confirm(const std::string& caption, const std::string& question,
                           const std::string& yesButton, const std::string& noButton) {
    shown.push_back(question);
    if (recording_) {
        if (answers_.empty()) {
            return false;
        }
        std::function<bool()> answer = std::move(answers_.front());
        answers_.pop_front();
        return answer();
    }
    QMessageBox box(QMessageBox::Question,
                    caption.empty() ? QApplication::applicationName() : Q(caption), Q(question),
                    QMessageBox::NoButton, owner_);
    QPushButton* yes = box.addButton(Q(yesButton), QMessageBox::YesRole);
    QPushButton* no = box.addButton(Q(noButton), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxes::ShowError(const std::string& text) {
    shown.push_back(text);
    if (!recording_) {
        QMessageBox::critical(owner_, QApplication::applicationName(), Q(text));
    }
}

}  // namespace zelk
