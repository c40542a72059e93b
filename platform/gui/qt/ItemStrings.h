// Internal to platform/gui: string lists that live in a widget (combo and list box entries, memo
// lines), so the list and what is shown never differ.
#pragma once

#include "rtl/StringList.h"

#include <QStringList>

#include <functional>

class QComboBox;
class QListWidget;
class QPlainTextEdit;

// Entries with objects kept in a widget; a sorted list inserts in order (without regard to case).
class TWidgetItemStrings : public TStrings {
public:
    std::function<bool()> IsSorted;
    std::function<void()> Changed;

    Integer Add(const String& s) override { return AddObject(s, nullptr); }
    Integer AddObject(const String& s, TObject* obj) override;
    void Insert(Integer index, const String& s) override { InsertObject(index, s, nullptr); }
    void InsertObject(Integer index, const String& s, TObject* obj) override;

protected:
    virtual void DoInsert(Integer index, const String& s, TObject* obj) = 0;
    void CheckIndex(Integer index) const;
    void NotifyChanged() {
        if (Changed && UpdateCount() == 0) Changed();
    }
    void SetUpdateState(bool updating) override {
        if (!updating) NotifyChanged();
    }
};

class TComboItemStrings : public TWidgetItemStrings {
public:
    explicit TComboItemStrings(QComboBox* box) : FBox(box) {}
    Integer Count() const override;
    void Clear() override;
    void Delete(Integer index) override;

protected:
    void DoInsert(Integer index, const String& s, TObject* obj) override;
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;
    TObject* GetObject(Integer index) const override;
    void PutObject(Integer index, TObject* obj) override;

private:
    QComboBox* FBox;
};

class TListItemStrings : public TWidgetItemStrings {
public:
    explicit TListItemStrings(QListWidget* list, bool checkable = false)
        : FList(list), FCheckable(checkable) {}
    // Entries added from now on get a check box.
    void SetCheckable(bool v) { FCheckable = v; }
    Integer Count() const override;
    void Clear() override;
    void Delete(Integer index) override;

protected:
    void DoInsert(Integer index, const String& s, TObject* obj) override;
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;
    TObject* GetObject(Integer index) const override;
    void PutObject(Integer index, TObject* obj) override;

private:
    QListWidget* FList;
    bool FCheckable;
};

// The lines of a memo: the text's lines, the empty line after a final line break not counted.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(QPlainTextEdit* edit) : FEdit(edit) {}
    Integer Count() const override;
    void Clear() override;
    void Delete(Integer index) override;
    void Insert(Integer index, const String& s) override;
    String Text() const override;
    void SetText(const String& text) override;

protected:
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;

private:
    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    QPlainTextEdit* FEdit;
};
