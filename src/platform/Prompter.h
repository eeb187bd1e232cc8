#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

// Message boxes, Yes/No questions and input boxes.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual void showMessage(const QString& text) = 0;
    virtual bool askYesNo(const QString& text) = 0;
    // Empty optional when the operator cancels.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                            const QString& initial) = 0;
};

// Test double: records everything it is shown and answers from queues
// (No and cancel when a queue is empty).
class RecordingPrompter : public Prompter {
  public:
    void showMessage(const QString& text) override { messages.push_back(text); }
    bool askYesNo(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& initial) override;

    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> inputs;
};
