#pragma once

#include <string>

namespace tw {

// Message boxes (texts in UTF-8) and the system beep. The core reports through this seam and never opens a dialog itself.
class Messages {
public:
    enum class Answer { Yes, No };

    virtual ~Messages() = default;
    // A modal message with an OK button (" ERROR ", file and picture errors).
    virtual void showError(const std::string& text) = 0;
    // A modal message with an OK button that reports something done.
    virtual void showInfo(const std::string& text) = 0;
    // A warning with the buttons Yes and No; true only for Yes. defaultAnswer is the button that Enter
    // presses, so a hasty key stroke picks the safe answer.
    bool askYesNo(const std::string& text, Answer defaultAnswer = Answer::No) { return ask(text, defaultAnswer); }
    virtual void beep() = 0;

protected:
    virtual bool ask(const std::string& text, Answer defaultAnswer) = 0;
};

} // namespace tw
