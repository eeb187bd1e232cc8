#pragma once
#include "EntryEdit.h"

// Locator field: six characters typed over, letters upper case, "?" for a missing one.
class TLocatorEdit : public TEntryEdit {
    Q_OBJECT
  public:
    explicit TLocatorEdit(QWidget* parent = nullptr) : TEntryEdit(parent) {}

  protected:
    EntryResult rule(const EntryState& state, const EntryKey& key) override {
        return LocatorEditKey(state, key, fieldPairRun_);
    }
    void entered() override { fieldPairRun_ = false; }

  private:
    bool fieldPairRun_ = false;
};
