// Reading the report library's XML dialect: tags, the declaration and element trees.
#include "report/vrXML.h"
#include "rtl/StrUtils.h"

#include <cstring>

namespace {

constexpr size_t ReadBufferSize = 4096;

bool SameName(const char* a, size_t alen, const String& b) {
    if (alen != b.size()) return false;
    for (size_t i = 0; i < alen; ++i)
        if (UpCase(a[i]) != UpCase(b[i])) return false;
    return true;
}

// Finds the partial-load marker ld="0" as an attribute of its own, compared without regard to
// case: at the start of the attribute text, after a blank, or right after the closing quote of
// the attribute before it (the form a="1"ld="0" that older files carry). Values hold no raw
// double quote, so a quote before it always closes a value.
size_t FindLoadMarker(const String& attr) {
    static const char marker[] = "LD=\"0\"";
    const size_t len = sizeof(marker) - 1;
    for (size_t p = 0; p + len <= attr.size(); ++p) {
        if (p > 0 && attr[p - 1] != ' ' && attr[p - 1] != '"') continue;
        size_t k = 0;
        while (k < len && UpCase(attr[p + k]) == marker[k])
            ++k;
        if (k == len) return p;
    }
    return String::npos;
}

// Removes the marker found at p together with the blank that separates it from its neighbours.
void RemoveLoadMarker(String& attr, size_t p) {
    size_t from = p, to = p + 6;
    if (from > 0 && attr[from - 1] == ' ')
        --from; // the blank before it
    else if (from == 0 && to < attr.size() && attr[to] == ' ')
        ++to; // at the start: the blank after it
    attr.erase(from, to - from);
}

} // namespace

TvrXMLReader::TvrXMLReader(TStream& stream) : FStream(stream), FBuffer(ReadBufferSize) {
    FBufferStart = stream.Position();
    FSize = stream.Size();
}

TvrXMLReader::~TvrXMLReader() {
    try {
        FStream.SetPosition(Position());
    } catch (...) {
        // A stream that cannot seek back keeps its position; nothing else to do here.
    }
}

bool TvrXMLReader::FillBuffer() {
    FBufferStart += static_cast<Int64>(FBufferLen);
    FBufferPos = 0;
    FBufferLen = 0;
    const Int64 left = FSize - FBufferStart;
    if (left <= 0) return false;
    FStream.SetPosition(FBufferStart);
    const Int64 want = left < static_cast<Int64>(ReadBufferSize) ? left : static_cast<Int64>(ReadBufferSize);
    const Int64 got = FStream.Read(FBuffer.data(), want);
    if (got <= 0) {
        FSize = FBufferStart; // the stream ended early: take it as the end of the input
        return false;
    }
    FBufferLen = static_cast<size_t>(got);
    return true;
}

bool TvrXMLReader::ReadTag(String& name, String& attrText) {
    enum class TState { Outside, InTag, InComment } state = TState::Outside;
    int dashes = 0;
    FTag.clear();
    for (;;) {
        if (FBufferPos >= FBufferLen && !FillBuffer()) {
            if (state == TState::InTag) throw TvrInvalidXMLException();
            name.clear();
            attrText.clear();
            return false;
        }
        const char* buf = FBuffer.data();
        switch (state) {
        case TState::Outside: {
            const void* lt = std::memchr(buf + FBufferPos, '<', FBufferLen - FBufferPos);
            if (!lt) {
                FBufferPos = FBufferLen;
                break;
            }
            FBufferPos = static_cast<size_t>(static_cast<const char*>(lt) - buf) + 1;
            state = TState::InTag;
            break;
        }
        case TState::InTag: {
            // Until three characters are in, take them one by one to catch the "!--" of a comment.
            if (FTag.size() < 3) {
                const char c = buf[FBufferPos++];
                if (c == '<') throw TvrInvalidXMLException();
                if (c == '>') goto tagDone;
                FTag += c;
                if (FTag.size() == 3 && FTag == "!--") {
                    FTag.clear();
                    dashes = 0;
                    state = TState::InComment;
                }
                break;
            }
            size_t i = FBufferPos;
            while (i < FBufferLen && buf[i] != '>' && buf[i] != '<')
                ++i;
            FTag.append(buf + FBufferPos, i - FBufferPos);
            FBufferPos = i;
            if (i < FBufferLen) {
                ++FBufferPos;
                if (buf[i] == '<') throw TvrInvalidXMLException();
                goto tagDone;
            }
            break;
        }
        case TState::InComment: {
            const char c = buf[FBufferPos++];
            if (c == '>' && dashes == 2) {
                state = TState::Outside;
            } else if (c == '-' && dashes < 2) {
                ++dashes;
            } else {
                dashes = 0; // a third "-" starts the count again, so "--->" ends no comment
            }
            break;
        }
        }
    }
tagDone:
    // Trailing blanks carry nothing: the writer never writes them, so dropping them all makes
    // "<a x="1" /  >" the self-closing element it is written back as.
    while (!FTag.empty() && FTag.back() == ' ')
        FTag.pop_back();
    const size_t blank = FTag.find(' ');
    if (blank == String::npos) {
        name = FTag;
        attrText.clear();
    } else {
        name.assign(FTag, 0, blank);
        // The attributes start after all the blanks that follow the name, as they are written.
        attrText.assign(FTag, FTag.find_first_not_of(' ', blank), String::npos);
    }
    return true;
}

void TvrXMLReader::ReadDeclaration() {
    String name, attr;
    ReadTag(name, attr);
    if (name.compare(0, 4, "?xml") != 0) throw TvrInvalidXMLException();
    String all = name + " " + attr;
    String version;
    const size_t v = all.find("version=");
    if (v != String::npos && v + 8 < all.size()) version = all.substr(v + 9, 3);
    FLegacyFormat = version == "1.0" && all.find("standalone=") == String::npos;
}

bool TvrXMLReader::ReadRootItem(TvrXMLItem& item, bool readAll) {
    String closingName;
    return ReadElement(item, readAll, 0, closingName) == TEndMark::None;
}

TvrXMLReader::TEndMark TvrXMLReader::ReadElement(TvrXMLItem& item, bool readAll, int depth,
                                                 String& closingName) {
    const Int64 start = Position();
    String name, attr;
    if (!ReadTag(name, attr)) return TEndMark::EndOfInput;
    if (name.empty() || name[0] == '/') {
        closingName = name;
        return TEndMark::ClosingTag;
    }
    bool hasChildren = true;
    if (attr.empty() && name.back() == '/') {
        name.pop_back();
        hasChildren = false;
    } else if (!attr.empty() && attr.back() == '/') {
        attr.pop_back();
        while (!attr.empty() && attr.back() == ' ')
            attr.pop_back();
        hasChildren = false;
    }
    // A "/" left in a name could not be written back as it was read ("<a/ x="1">" would come back
    // as a self-closing "a" with a different attribute text): such a tag is no element.
    if (name.empty() || name.find('/') != String::npos) throw TvrInvalidXMLException();
    item.Name = std::move(name);
    item.AttrText = std::move(attr);

    if (hasChildren) {
        if (depth >= MaxDepth) throw TvrInvalidXMLException();
        for (;;) {
            auto child = std::make_unique<TvrXMLItem>();
            String childClosing;
            const TEndMark mark = ReadElement(*child, readAll, depth + 1, childClosing);
            if (mark == TEndMark::None) {
                item.AppendItem(child.release());
                continue;
            }
            if (mark == TEndMark::ClosingTag) {
                // The closing tag must be "/" + the element's name; an empty tag "<>" never is.
                if (childClosing.empty() ||
                    !SameName(childClosing.data() + 1, childClosing.size() - 1, item.Name))
                    throw TvrInvalidXMLException();
            }
            break; // the end of the input ends every open element without a check
        }
    }

    // Every marker goes (the writer writes one back), so a tag carrying two does not drift.
    bool unloadable = false;
    for (size_t marker = FindLoadMarker(item.AttrText); marker != String::npos;
         marker = FindLoadMarker(item.AttrText)) {
        RemoveLoadMarker(item.AttrText, marker);
        unloadable = true;
    }
    if (unloadable) {
        item.IsUnloadable = true;
        if (!readAll) {
            item.Clear(); // leaves IsLoaded false
            item.StreamOffset = start;
            item.FInSwapFile = false;
        }
    }
    return TEndMark::None;
}
