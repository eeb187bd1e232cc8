#pragma once
#include "EntryEdit.h"

// Time field: overwrite editing of "hh:mm" (maxLength 5, the default) or "hh:mm:ss"
// (maxLength 8). Entering puts the caret before the last character.
class TTimeEdit : public TEntryEdit {
    Q_OBJECT
  public:
    explicit TTimeEdit(QWidget* parent = nullptr) : TEntryEdit(parent) { setMaxLength(5); }

  protected:
    EntryResult rule(const EntryState& state, const EntryKey& key) override {
        return TimeEditKey(state, key, maxLength());
    }
    int enterCaret() const override { return std::max(0, static_cast<int>(text().size()) - 1); }
};
