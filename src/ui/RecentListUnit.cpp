#include "RecentListUnit.h"

#include "platform/IniFile.h"

#include <QMenu>

namespace {
QString itemKey(int i) {
    return "Item" + QString::number(i) + "0";
}
} // namespace

TRecentList::TRecentList(IniFile& settings, QMenu* fileMenu,
                         std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), settings_(settings), menu_(fileMenu), open_(std::move(open)) {
    // The entries go just before "Exit" when the menu ends with it, else at the top.
    const QList<QAction*> actions = menu_->actions();
    QAction* before = nullptr;
    if (!actions.isEmpty() && actions.last()->text().remove('&') == "Exit")
        before = actions.last();
    else if (!actions.isEmpty())
        before = actions.first();
    start_ = menu_->insertSeparator(before);
    QAction* end = menu_->insertSeparator(before);
    for (int i = 0; i < Capacity; ++i) {
        auto* a = new QAction(this);
        connect(a, &QAction::triggered, this, [this, a] {
            const QString path = a->data().toString();
            if (!path.isEmpty() && open_) open_(path);
        });
        menu_->insertAction(end, a);
        entries_ << a;
    }
    for (int i = Capacity - 1; i >= 0; --i) {
        const QString p = settings_.readString("RecentFiles", itemKey(i));
        if (!p.isEmpty()) add(p);
    }
    refreshMenu();
}

TRecentList::~TRecentList() {
    save();
}

void TRecentList::add(const QString& path) {
    if (!path.isEmpty()) {
        paths_.removeAll(path);
        paths_.prepend(path);
        while (paths_.size() > Capacity)
            paths_.removeLast();
    }
    refreshMenu();
}

void TRecentList::save() {
    IniFile::Batch batch(settings_);
    for (int i = 0; i < Capacity; ++i)
        settings_.writeString("RecentFiles", itemKey(i), i < paths_.size() ? paths_[i] : QString());
}

void TRecentList::refreshMenu() {
    for (int i = 0; i < entries_.size(); ++i) {
        const QString p = i < paths_.size() ? paths_[i] : QString();
        // No accelerator letters: "&" in a path stays a character.
        QString caption = p;
        entries_[i]->setText(caption.replace("&", "&&"));
        entries_[i]->setData(p);
        entries_[i]->setVisible(!p.isEmpty());
    }
}
