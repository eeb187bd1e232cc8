#include "FileChooser.h"

#include <QFileInfo>
#include <QStringList>

QString qtFilterFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << parts[i] + " (" + patterns + ")";
    }
    return out.join(";;");
}

QString withDefaultExtension(const QString& path, const QString& ext) {
    if (ext.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + "." + ext;
}

std::optional<QString> ScriptedFileChooser::openFile(const FileDialogRequest& r) {
    return next(r);
}
std::optional<QString> ScriptedFileChooser::saveFile(const FileDialogRequest& r) {
    return next(r);
}

std::optional<QString> ScriptedFileChooser::next(const FileDialogRequest& request) {
    requests.push_back(request);
    if (paths.empty()) return std::nullopt;
    auto p = paths.front();
    paths.pop_front();
    if (p) p = withDefaultExtension(*p, request.defaultExt);
    return p;
}
