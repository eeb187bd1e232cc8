#include "Prompter.h"

bool RecordingPrompter::askYesNo(const QString& text) {
    questions.push_back(text);
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> RecordingPrompter::inputBox(const QString& caption, const QString& prompt,
                                                   const QString&) {
    questions.push_back(caption + ": " + prompt);
    if (inputs.empty()) return std::nullopt;
    auto a = inputs.front();
    inputs.pop_front();
    return a;
}
