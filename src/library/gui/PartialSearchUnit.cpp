#include "PartialSearchUnit.h"

#include "CPartialSearch.h"
#include "platform/FileChooser.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

T_PartialCallSearch::T_PartialCallSearch(QWidget* parent) : QWidget(parent) {
    setObjectName("T_PartialCallSearch");
    setWindowTitle(Caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    search_ = new TCPartialSearch(this);
    search_->setObjectName("PartialSearch");
    search_->setInLogColor(Qt::red);
    search_->setInLog2BandColor(Qt::blue);
    search_->setInLibColor(Qt::black);
    layout->addWidget(search_);
    importAction_ = new QAction(ImportCommand, this);
    connect(importAction_, &QAction::triggered, this, &T_PartialCallSearch::importLibrary);
    connect(search_, &TCPartialSearch::OnCallClicked, this, &T_PartialCallSearch::onCallClicked);
    resize(300, 400);
}

T_PartialCallSearch::~T_PartialCallSearch() = default;

bool T_PartialCallSearch::attachLibrary(const QString& folder) {
    const bool ok = library_.attach(folder);
    search_->setLibDataSet(&library_);
    if (!ok) Platform::prompter().showMessage(library_.error());
    return ok;
}

void T_PartialCallSearch::setCallField(QLineEdit* call) {
    callField_ = call;
}

void T_PartialCallSearch::setLogDataSet(LogCursor* log) {
    search_->setLogDataSet(log);
}

void T_PartialCallSearch::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(importAction_);
    menu.exec(event->globalPos());
}

void T_PartialCallSearch::importLibrary() {
    if (importing_) return;
    FileDialogRequest request;
    request.title = ImportCommand;
    request.filter = LibraryFile::DialogFilter;
    request.defaultExt = "vhf";
    request.overwritePrompt = false;
    const std::optional<QString> path = Platform::files().openFile(request);
    if (!path || !QFileInfo::exists(*path)) return;
    importing_ = true;
    if (!library_.attached() && library_.folder().isEmpty())
        library_.attach(Platform::homeFolder());
    // The count is shown as lines are read; the window stays responsive meanwhile.
    const auto progress = [this](int k) {
        if (k % 500 != 0) return;
        emit statusMessage(LibraryFile::importedText(k));
        QCoreApplication::processEvents();
    };
    const CallLibrary::ImportResult result = library_.importFile(*path, progress);
    importing_ = false;
    search_->setLibDataSet(&library_);
    if (!result.ok) {
        Platform::prompter().showMessage(result.error);
        return;
    }
    emit statusMessage(LibraryFile::importedText(result.stations));
}

void T_PartialCallSearch::onCallClicked(const QString& call) {
    emit callClicked(call);
    if (!callField_ || !callField_->isVisible()) return;
    callField_->setText(call);
    callField_->setFocus();
    callField_->setCursorPosition(int(call.size()));
}
