#pragma once
#include "EntryEdit.h"

// Report field: Length 2 (phone) or 3 (CW); entering puts the caret after the first two
// characters, where digits set the strength.
class TRSTEdit : public TEntryEdit {
    Q_OBJECT
    Q_PROPERTY(int Length READ length WRITE setLength)
  public:
    explicit TRSTEdit(QWidget* parent = nullptr) : TEntryEdit(parent) {
        setMaxLength(RstMaxLength);
    }
    int length() const { return length_; }
    void setLength(int length) { length_ = length; }

  protected:
    EntryResult rule(const EntryState& state, const EntryKey& key) override {
        return RstEditKey(state, key, length_, flags_);
    }
    int enterCaret() const override {
        return std::min(RstEnterCaret, static_cast<int>(text().size()));
    }
    void entered() override { flags_ = {true, false}; }

  private:
    int length_ = 2;
    RstFlags flags_;
};
