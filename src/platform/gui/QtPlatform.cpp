#include "QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QThread>

namespace {
QWidget* parent() {
    return QApplication::activeWindow();
}
} // namespace

void QtPrompter::showMessage(const QString& text) {
    QMessageBox::information(parent(), QApplication::applicationName(), text);
}

bool QtPrompter::askYesNo(const QString& text) {
    return QMessageBox::question(parent(), QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::inputBox(const QString& caption, const QString& prompt,
                                            const QString& initial) {
    bool ok = false;
    const QString v =
        QInputDialog::getText(parent(), caption, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(v) : std::nullopt;
}

namespace {
std::optional<QString> run(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    QFileDialog d(parent(), r.title, r.initialDir, qtFilterFromPairs(r.filter));
    d.setAcceptMode(mode);
    d.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    d.setDefaultSuffix(r.defaultExt);
    if (!r.overwritePrompt) d.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.fileName.isEmpty()) d.selectFile(r.fileName);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
    return withDefaultExtension(d.selectedFiles().first(), r.defaultExt);
}
} // namespace

std::optional<QString> QtFileChooser::openFile(const FileDialogRequest& r) {
    return run(r, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileChooser::saveFile(const FileDialogRequest& r) {
    return run(r, QFileDialog::AcceptSave);
}

void BellSpeaker::tone(int, int ms) {
    QApplication::beep();
    QThread::msleep(static_cast<unsigned long>(ms));
}

void BellSpeaker::pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}
