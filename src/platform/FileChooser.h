#pragma once
#include <QString>
#include <deque>
#include <optional>
#include <vector>

struct FileDialogRequest {
    QString title;
    QString filter;     // "Description|*.ext" pairs separated by "|"
    QString defaultExt; // without the dot; added when the chosen name has no extension
    QString initialDir;
    QString fileName;
    bool overwritePrompt = true;
};

// Converts "Vhf contest|*.vhf|All|*.*" into Qt's "Vhf contest (*.vhf);;All (*.*)".
QString qtFilterFromPairs(const QString& pairs);
// Adds ".ext" when the name has no extension.
QString withDefaultExtension(const QString& path, const QString& ext);

// Open and save dialogs.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
};

// Test double: hands over prepared paths (cancel when none is left) and keeps the requests.
class ScriptedFileChooser : public FileChooser {
  public:
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;

    std::deque<std::optional<QString>> paths;
    std::vector<FileDialogRequest> requests;

  private:
    std::optional<QString> next(const FileDialogRequest& request);
};
