#include "script/vs_xml.h"

#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"
#include "script/vs_iconst.h"

#include <algorithm>

namespace {

const char* const SInvalidFileFormat = "Invalid file format";
constexpr size_t BlockSize = 4096;

// Index in Text of the attribute Name as the reader finds it: the text with a blank in front is
// searched without regard to case for a blank, the name and «="». Returns the index (into Text)
// of the name's first character, or npos.
size_t FindAttribute(const String& Text, const String& Name) {
    // LowerCase folds ASCII letters only, so indexes in the folded text are those of Text.
    return LowerCase(" " + Text).find(LowerCase(" " + Name + "=\""));
}

// Reads bytes from a stream in blocks, or from a string, one at a time.
class TvsXMLReader {
public:
    explicit TvsXMLReader(TStream& Stream) : FStream(&Stream) {}
    explicit TvsXMLReader(const String& Text) : FData(Text.data()), FSize(Text.size()) {}
    ~TvsXMLReader() {
        // Give back what was buffered but not consumed.
        if (FStream && FPos < FSize) FStream->Seek(-static_cast<Int64>(FSize - FPos), TSeekOrigin::soCurrent);
    }

    // Reads the root element into Root after checking the declaration.
    void ReadDocument(TvsXMLItem& Root) {
        String name, text;
        if (!ReadTag(name, text) || (name + " " + text).compare(0, 4, "?xml") != 0)
            throw EvsScriptError(SInvalidFileFormat);
        if (ReadTag(name, text) && !name.empty() && name[0] != '/') ReadElement(Root, name, text, 1);
    }

private:
    bool Next(char& c) {
        if (FPos >= FSize && !Fill()) return false;
        c = FData[FPos++];
        return true;
    }
    bool Fill() {
        if (!FStream) return false;
        FBuffer.resize(BlockSize);
        const Int64 got = FStream->Read(FBuffer.data(), static_cast<Int64>(BlockSize));
        if (got <= 0) return false;
        FData = FBuffer.data();
        FSize = static_cast<size_t>(got);
        FPos = 0;
        return true;
    }

    // Reads one tag, skipping comments. False at the end of the data (name empty).
    bool ReadTag(String& Name, String& Text) {
        for (;;) {
            Name.clear();
            Text.clear();
            char c = 0;
            do {
                if (!Next(c)) return false;
            } while (c != '<');
            String tag;
            for (;;) {
                if (!Next(c)) throw EvsScriptError(SInvalidFileFormat);
                if (c == '>') break;
                if (c == '<') throw EvsScriptError(SInvalidFileFormat);
                tag += c;
                if (tag.size() == 3 && tag == "!--") {
                    SkipComment();
                    tag.clear();
                    break;
                }
            }
            if (tag.empty() && c != '>') continue; // a comment: read the next tag
            if (!tag.empty() && tag.back() == ' ') tag.pop_back();
            // «<>» gives an empty name, which ends the enclosing element like the end of data.
            const size_t blank = tag.find(' ');
            if (blank == String::npos) {
                Name = tag;
            } else {
                Name = tag.substr(0, blank);
                Text = tag.substr(blank + 1);
            }
            return true;
        }
    }

    // Skips the rest of a comment up to "--" directly followed by ">".
    void SkipComment() {
        int dashes = 0;
        char c = 0;
        while (Next(c)) {
            if (c == '>' && dashes >= 2) return;
            dashes = (c == '-') ? dashes + 1 : 0;
        }
    }

    void ReadElement(TvsXMLItem& Item, String Name, String Text, int Depth) {
        if (Depth > vsMaxXMLDepth) throw EvsScriptError(STooDeep);
        bool empty = false;
        if (!Name.empty() && Name.back() == '/') {
            Name.pop_back();
            empty = true;
        } else if (!Text.empty() && Text.back() == '/') {
            Text.pop_back();
            empty = true;
        }
        Item.SetName(Name);
        Item.SetText(Text);
        if (empty) return;
        String name, text;
        for (;;) {
            if (!ReadTag(name, text) || name.empty())
                return; // a closing tag missing at the end of the data is no error
            if (name[0] == '/') {
                if (!AnsiSameText(name.substr(1), Item.Name())) throw EvsScriptError(SInvalidFileFormat);
                return;
            }
            ReadElement(*Item.Add(), name, text, Depth + 1);
        }
    }

    TStream* FStream = nullptr;
    std::vector<char> FBuffer;
    const char* FData = nullptr;
    size_t FSize = 0;
    size_t FPos = 0;
};

// Collects output and hands it to a stream in blocks, or keeps it in a string.
class TvsXMLWriter {
public:
    TvsXMLWriter(TStream* Stream, bool AutoIndent) : FStream(Stream), FAutoIndent(AutoIndent) {}

    void WriteDocument(const TvsXMLItem& Root) {
        Put("<?xml version=\"1.0\"?>");
        EndLine();
        WriteItem(Root, 0);
        Flush();
    }
    String& Output() { return FOut; }

private:
    void WriteItem(const TvsXMLItem& Item, int Level) {
        Indent(Level);
        Put("<");
        Put(Item.Name());
        if (!Item.Text().empty()) {
            if (Item.Text()[0] != ' ') Put(" ");
            Put(Item.Text());
        }
        if (Item.Count() == 0) {
            Put("/>");
            EndLine();
            return;
        }
        Put(">");
        EndLine();
        for (Integer i = 0; i < Item.Count(); ++i)
            WriteItem(*Item.Items(i), Level + 1);
        Indent(Level);
        Put("</");
        Put(Item.Name());
        Put(">");
        EndLine();
    }
    void Indent(int Level) {
        if (FAutoIndent) FOut.append(static_cast<size_t>(Level) * 2, ' ');
    }
    void EndLine() {
        if (FAutoIndent) Put("\r\n");
    }
    void Put(const String& s) {
        FOut += s;
        if (FStream && FOut.size() > BlockSize) Flush();
    }
    void Flush() {
        if (FStream && !FOut.empty()) {
            FStream->WriteBuffer(FOut.data(), static_cast<Int64>(FOut.size()));
            FOut.clear();
        }
    }

    TStream* FStream;
    bool FAutoIndent;
    String FOut;
};

} // namespace

// --- escaping ------------------------------------------------------------------------------------

String vsXMLEscape(const String& Value) {
    String out;
    out.reserve(Value.size());
    for (char c : Value) {
        switch (c) {
        case '\n':
        case '\r':
        case '"':
        case '&':
        case '<':
        case '>':
            out += "&#";
            out += std::to_string(static_cast<unsigned char>(c));
            out += ';';
            break;
        default:
            out += c;
        }
    }
    return out;
}

String vsXMLUnescape(const String& Value) {
    if (Value.find('&') == String::npos) return Value;
    String out;
    out.reserve(Value.size());
    size_t i = 0;
    while (i < Value.size()) {
        const char c = Value[i];
        if (c == '&') {
            if (Value.compare(i, 2, "&#") == 0) {
                const size_t semi = Value.find(';', i + 2);
                if (semi != String::npos) {
                    const Integer code = StrToInt(Value.substr(i + 2, semi - i - 2));
                    out += static_cast<char>(code & 0xFF);
                    i = semi + 1;
                    continue;
                }
            } else if (Value.compare(i, 6, "&quot;") == 0) {
                out += '"';
                i += 6;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

// --- TvsXMLItem ----------------------------------------------------------------------------------

int TvsXMLItem::Height(const TvsXMLItem& Item) {
    // Levels below Item, found without recursion.
    int height = 0;
    std::vector<std::pair<const TvsXMLItem*, int>> stack{{&Item, 0}};
    while (!stack.empty()) {
        const auto [item, depth] = stack.back();
        stack.pop_back();
        height = std::max(height, depth);
        if (height > vsMaxXMLDepth) break;
        for (Integer i = 0; i < item->Count(); ++i)
            stack.emplace_back((*item->FItems)[static_cast<size_t>(i)], depth + 1);
    }
    return height;
}

TvsXMLItem::~TvsXMLItem() {
    Clear();
    Detach();
}

void TvsXMLItem::Detach() {
    if (!FParent) return;
    auto& list = *FParent->FItems;
    list.erase(std::find(list.begin(), list.end(), this));
    FParent = nullptr;
}

TvsXMLItem* TvsXMLItem::Items(Integer Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return (*FItems)[static_cast<size_t>(Index)];
}

TvsXMLItem* TvsXMLItem::Add() {
    auto item = std::make_unique<TvsXMLItem>();
    InsertItem(Count(), item.get());
    return item.release();
}

void TvsXMLItem::AddItem(TvsXMLItem* Item) {
    InsertItem(Count(), Item);
}

void TvsXMLItem::InsertItem(Integer Index, TvsXMLItem* Item) {
    if (!Item) return;
    int level = 0; // this item's level, the root's being 1
    for (const TvsXMLItem* p = this; p; p = p->FParent) {
        if (p == Item) throw EvsScriptError("An item cannot become a child of itself");
        ++level;
    }
    // No element stands deeper than a document may nest: freeing, copying and writing a tree
    // walk it recursively, and a script can build chains of any length.
    if (level + 1 + Height(*Item) > vsMaxXMLDepth) throw EvsScriptError(STooDeep);
    const Integer limit = Count() - (Item->FParent == this ? 1 : 0);
    if (Index < 0 || Index > limit)
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    Item->Detach();
    if (!FItems) FItems = std::make_unique<std::vector<TvsXMLItem*>>();
    FItems->insert(FItems->begin() + Index, Item);
    Item->FParent = this;
}

void TvsXMLItem::Clear() {
    if (!FItems) return;
    // Children are unlinked before they are freed so that they do not search this list.
    std::unique_ptr<std::vector<TvsXMLItem*>> items = std::move(FItems);
    for (TvsXMLItem* child : *items) {
        child->FParent = nullptr;
        delete child;
    }
}

Integer TvsXMLItem::Find(const String& Name) const {
    for (Integer i = 0; i < Count(); ++i)
        if (AnsiSameText((*FItems)[static_cast<size_t>(i)]->FName, Name)) return i;
    return -1;
}

TvsXMLItem* TvsXMLItem::FindItem(const String& Name) {
    const Integer i = Find(Name);
    if (i >= 0) return Items(i);
    TvsXMLItem* item = Add();
    item->SetName(Name);
    return item;
}

TvsXMLItem* TvsXMLItem::Root() {
    TvsXMLItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item;
}

String TvsXMLItem::Prop(const String& Name) const {
    const size_t at = FindAttribute(FText, Name);
    if (at == String::npos) return String();
    const size_t start = at + Name.size() + 2;
    const size_t end = FText.find('"', start);
    return vsXMLUnescape(FText.substr(start, end == String::npos ? String::npos : end - start));
}

void TvsXMLItem::SetProp(const String& Name, const String& Value) {
    const String attr = Name + "=\"" + vsXMLEscape(Value) + "\"";
    size_t at = FindAttribute(FText, Name);
    if (at != String::npos) {
        const size_t start = at + Name.size() + 2;
        const size_t end = FText.find('"', start);
        FText.erase(at, end == String::npos ? String::npos : end + 1 - at);
    } else {
        at = FText.size();
    }
    if (at > 0 && FText[at - 1] != ' ') {
        FText.insert(at, " ");
        ++at;
    }
    FText.insert(at, attr);
}

void TvsXMLItem::Assign(const TvsXMLItem* Source) {
    Clear();
    if (!Source || Source == this) return;
    FName = Source->FName;
    FText = Source->FText;
    FData = Source->FData;
    for (Integer i = 0; i < Source->Count(); ++i)
        Add()->Assign(Source->Items(i));
}

// --- TvsXMLDocument --------------------------------------------------------------------------------

TvsXMLDocument::TvsXMLDocument() : FRoot(std::make_unique<TvsXMLItem>()) {}

TvsXMLDocument::~TvsXMLDocument() = default;

void TvsXMLDocument::LoadFromStream(TStream& Stream) {
    FRoot->Clear();
    FRoot->SetName(String());
    FRoot->SetText(String());
    TvsXMLReader reader(Stream);
    reader.ReadDocument(*FRoot);
}

void TvsXMLDocument::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TvsXMLDocument::LoadFromString(const String& Text) {
    FRoot->Clear();
    FRoot->SetName(String());
    FRoot->SetText(String());
    TvsXMLReader reader(Text);
    reader.ReadDocument(*FRoot);
}

void TvsXMLDocument::SaveToStream(TStream& Stream) const {
    TvsXMLWriter writer(&Stream, AutoIndent);
    writer.WriteDocument(*FRoot);
}

void TvsXMLDocument::SaveToFile(const String& FileName) const {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
}

String TvsXMLDocument::SaveToString() const {
    TvsXMLWriter writer(nullptr, AutoIndent);
    writer.WriteDocument(*FRoot);
    return std::move(writer.Output());
}
