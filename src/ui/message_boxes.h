// The boxes of the window: message boxes with an OK button, the confirmation box and the general
// error box. For tests the boxes can be answered without showing them: every text is recorded and
// a confirmation takes the next queued answer.
#pragma once

#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/dialogs.h"

namespace zelk {

class MessageBoxes : public Dialogs {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}

    void ShowMessage(const std::string& text) override;
    bool Confirm(const std::string& caption, const std::string& question,
                 const std::string& yesButton, const std::string& noButton) override;
    void ShowError(const std::string& text) override;

    // Test hooks: no box is shown; texts are recorded, confirmations answered from the queue
    // (no queued answer: the second button, as a user who closes the box). An answer may be
    // given late, as by a user who lets the window go on working while the box is open.
    void AnswerWithoutBoxes() { recording_ = true; }
    void QueueAnswer(bool yes) {
        answers_.push_back([yes] { return yes; });
    }
    void QueueAnswer(std::function<bool()> answer) { answers_.push_back(std::move(answer)); }
    std::vector<std::string> shown;

private:
    QWidget* owner_;
    bool recording_ = false;
    std::deque<std::function<bool()>> answers_;
};

}  // namespace zelk
