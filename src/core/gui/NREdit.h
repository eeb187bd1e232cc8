#pragma once
#include "EntryEdit.h"

// Serial-number field: digits only, at most Length of them; a full field shifts.
class TNREdit : public TEntryEdit {
    Q_OBJECT
    Q_PROPERTY(int Length READ length WRITE setLength)
  public:
    explicit TNREdit(QWidget* parent = nullptr) : TEntryEdit(parent) {}
    int length() const { return length_; }
    void setLength(int length) { length_ = length; }

  protected:
    EntryResult rule(const EntryState& state, const EntryKey& key) override {
        return NrEditKey(state, key, length_);
    }

  private:
    int length_ = 4;
};
