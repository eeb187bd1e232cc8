#pragma once
#include "core/EntryRules.h"

#include <QLineEdit>
#include <algorithm>

class QKeyEvent;

// Base of the overwrite-style entry fields: each key goes through a pure rule of
// core/EntryRules.h. An owner that wants to see keys first installs an event filter.
class TEntryEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TEntryEdit(QWidget* parent = nullptr);

    static EntryKey keyOf(const QKeyEvent* event);

  protected:
    virtual EntryResult rule(const EntryState& state, const EntryKey& key) = 0;
    // Where the caret goes when the field is entered.
    virtual int enterCaret() const { return static_cast<int>(text().size()); }
    virtual void entered() {}

    void keyPressEvent(QKeyEvent* event) override;
    // Runs one key through the rule; false when the key is the control's own.
    bool apply(const EntryKey& key);
    void focusInEvent(QFocusEvent* event) override;
};
