// TStrings, the abstract list of strings with objects, and TStringList, the platform's string
// list: text in CR LF lines, comma and delimited text, name=value pairs, sorting with binary
// search and duplicate control, change events, files in UTF-8 or a code page.
//
// Properties follow the runtime's pattern: P() reads, SetP(...) writes (Strings(i)/SetStrings(i, s),
// Objects(i)/SetObjects(i, o), Text()/SetText(s) ...). Index errors raise EStringListError
// "List index out of bounds (%d)".
#pragma once

#include "rtl/Events.h"
#include "rtl/Object.h"
#include "rtl/SysUtils.h"

#include <functional>
#include <vector>

class TStream;

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// Code page argument of the file and stream methods that means: UTF-8, or code page 936 when the
// bytes are not well-formed UTF-8. A byte-order mark always wins.
constexpr int CP_AUTODETECT = -1;

class TStrings : public TObject {
public:
    TStrings() = default;
    ~TStrings() override = default;
    String ClassName() const override { return "TStrings"; }

    // --- what a concrete list provides --------------------------------------------------------
    virtual Integer Count() const = 0;
    virtual void Clear() = 0;
    virtual void Delete(Integer index) = 0;
    virtual void Insert(Integer index, const String& s) = 0;

protected:
    virtual String Get(Integer index) const = 0;
    virtual void Put(Integer index, const String& s);    // default: Delete then Insert, keeping the object
    virtual TObject* GetObject(Integer index) const;     // default: nullptr
    virtual void PutObject(Integer index, TObject* obj); // default: ignored
    // Called with true when the first BeginUpdate starts and false when the last EndUpdate ends.
    virtual void SetUpdateState(bool updating);
    // The comparison IndexOf, IndexOfName and sorting use: without regard to case by default.
    virtual int CompareStrings(const String& a, const String& b) const;
    [[noreturn]] static void Error(const char* message, Integer data);

public:
    // --- items -----------------------------------------------------------------------------------
    String Strings(Integer index) const { return Get(index); }
    void SetStrings(Integer index, const String& s) { Put(index, s); }
    String operator[](Integer index) const { return Get(index); }
    TObject* Objects(Integer index) const { return GetObject(index); }
    void SetObjects(Integer index, TObject* obj) { PutObject(index, obj); }

    virtual Integer Add(const String& s);
    virtual Integer AddObject(const String& s, TObject* obj);
    void Append(const String& s) { Add(s); }
    virtual void InsertObject(Integer index, const String& s, TObject* obj);
    virtual void AddStrings(const TStrings& strings);
    virtual void Assign(const TStrings& source);
    virtual void Exchange(Integer index1, Integer index2);
    virtual void Move(Integer curIndex, Integer newIndex);
    virtual Integer IndexOf(const String& s) const;
    Integer IndexOfName(const String& name) const;
    Integer IndexOfObject(TObject* obj) const;
    // Same count and the same strings in the same order (compared exactly).
    bool Equals(const TStrings& other) const;

    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    // --- text forms ------------------------------------------------------------------------------
    // Each line followed by CR LF. Setting splits at CR LF, LF or CR; a final line break makes no
    // empty last line.
    virtual String Text() const;
    virtual void SetText(const String& text);
    // Delimited with ',' and quoted with '"' (where a string holds a blank, a control character, a
    // comma or a quote), whatever Delimiter and QuoteChar are.
    String CommaText() const;
    void SetCommaText(const String& text);
    // Delimited with Delimiter, quoted with QuoteChar; with StrictDelimiter only the delimiter
    // separates and blanks neither separate nor need quotes.
    String DelimitedText() const;
    void SetDelimitedText(const String& text);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char c) { FDelimiter = c; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char c) { FQuoteChar = c; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool v) { FStrictDelimiter = v; }

    // --- name=value pairs ------------------------------------------------------------------------
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char c) { FNameValueSeparator = c; }
    String Names(Integer index) const; // "" for a line without the separator
    String Values(const String& name) const;
    // Sets the value of the first line with that name (adding one when none); an empty value
    // deletes the line.
    void SetValues(const String& name, const String& value);
    String ValueFromIndex(Integer index) const; // "" for a line without the separator
    void SetValueFromIndex(Integer index, const String& value);

    // --- files and streams -----------------------------------------------------------------------
    // Reading strips a byte-order mark (UTF-8 or UTF-16) and decodes the rest in the given code page.
    void LoadFromFile(const String& fileName, int codePage = CP_AUTODETECT);
    void LoadFromStream(TStream& stream, int codePage = CP_AUTODETECT); // from the position to the end
    // Writes Text in the given code page (65001: UTF-8 without a byte-order mark).
    void SaveToFile(const String& fileName, int codePage = 65001) const;
    void SaveToStream(TStream& stream, int codePage = 65001) const;

private:
    String GetDelimitedText(char delimiter, char quote, bool strict) const;
    void SetDelimitedTextWith(const String& text, char delimiter, char quote, bool strict);

    Integer FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
    bool FStrictDelimiter = false;
    char FNameValueSeparator = '=';
};

class TStringList;
// Negative, zero or positive as the item at index1 sorts before, with or after the one at index2.
using TStringListSortCompare = std::function<int(TStringList& list, Integer index1, Integer index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}
    ~TStringList() override;
    String ClassName() const override { return "TStringList"; }

    Integer Count() const override { return static_cast<Integer>(FItems.size()); }
    void Clear() override;
    void Delete(Integer index) override;
    void Insert(Integer index, const String& s) override;
    void InsertObject(Integer index, const String& s, TObject* obj) override;
    Integer Add(const String& s) override;
    Integer AddObject(const String& s, TObject* obj) override;
    void Exchange(Integer index1, Integer index2) override;
    // Checks both indexes (and that the list is not sorted) before anything moves.
    void Move(Integer curIndex, Integer newIndex) override;
    Integer IndexOf(const String& s) const override;

    // Binary search of a sorted list: true when found; index gets where it is or would go.
    virtual bool Find(const String& s, Integer& index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value); // setting true sorts the list
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value); // re-sorts a sorted list
    // Objects are freed when their line is deleted, the list cleared or destroyed.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    TNotifyEvent OnChange;   // after a change (not while updating)
    TNotifyEvent OnChanging; // before a change (not while updating)

protected:
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;
    TObject* GetObject(Integer index) const override;
    void PutObject(Integer index, TObject* obj) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(const String& a, const String& b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        String s;
        TObject* obj = nullptr;
    };
    void CheckIndex(Integer index) const;
    void InsertItem(Integer index, const String& s, TObject* obj);

    std::vector<TItem> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
};
