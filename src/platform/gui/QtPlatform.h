#pragma once
#include "platform/FileChooser.h"
#include "platform/Prompter.h"
#include "platform/Speaker.h"

class QWidget;

// The real message boxes, file dialogs and tones of the desktop.
class QtPrompter : public Prompter {
  public:
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& initial) override;
};

class QtFileChooser : public FileChooser {
  public:
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
};

// Tones on the sound card would need an audio device; the desktop bell stands in.
class BellSpeaker : public Speaker {
  public:
    void tone(int hz, int ms) override;
    void pause(int ms) override;
};
