#include "grid/DBGridGxTitleTree.h"

#include "rtl/SysUtils.h"

THeadTreeNode::THeadTreeNode() = default;

THeadTreeNode::THeadTreeNode(const String& AText, int AWidth, int AHeight)
    : Height(AHeight), Text(AText), Width(AWidth) {}

THeadTreeNode::~THeadTreeNode() {
    if (!Host) FreeAllChildren();
}

void THeadTreeNode::FreeAllChildren() {
    ForEachChild([](THeadTreeNode* c) {
        c->FreeAllChildren();
        delete c;
    });
    Child = nullptr;
}

bool THeadTreeNode::FindNode(const THeadTreeNode* Node) const {
    const THeadTreeNode* p = this;
    do {
        if (p == Node) return true;
        if (p->Child && p->Child->FindNode(Node)) return true;
        p = p->Next;
    } while (p != this && !(p->Host && p == p->Host->Child));
    return false;
}

int THeadTreeNode::NodeLevel(const THeadTreeNode* Node) {
    int level = 0;
    for (const THeadTreeNode* p = Node ? Node->Host : nullptr; p; p = p->Host)
        ++level;
    return level;
}

THeadTreeNode* THeadTreeNode::AddSibling(THeadTreeNode* After, const String& AText, int AWidth, int AHeight) {
    if (!FindNode(After)) throw Exception("Node not in Tree");
    auto* n = new THeadTreeNode(AText, AWidth, AHeight);
    n->Host = After->Host;
    n->Next = After->Next;
    After->Next = n;
    return n;
}

THeadTreeNode* THeadTreeNode::AppendChildNode(THeadTreeNode* Node, const String& AText, int AWidth, int AHeight) {
    if (!FindNode(Node)) throw Exception("Node not in Tree");
    auto* n = new THeadTreeNode(AText, AWidth, AHeight);
    n->Host = Node;
    if (!Node->Child) {
        Node->Child = n;
    } else {
        THeadTreeNode* last = Node->Child;
        while (last->Next != Node->Child)
            last = last->Next;
        n->Next = Node->Child;
        last->Next = n;
    }
    return n;
}

THeadTreeNode* THeadTreeNode::InsertParent(THeadTreeNode* From, THeadTreeNode* To, int AHeight,
                                           const String& AText) {
    if (!FindNode(From)) throw Exception("Node not in Tree");
    THeadTreeNode* first = From->Host ? From->Host->Child : From;
    for (THeadTreeNode* p = From; p != To;) {
        p = p->Next;
        if (p == first || p == From) throw Exception("ATo not in level");
    }
    auto* n = new THeadTreeNode(AText, 0, AHeight);
    n->Host = To->Host;
    n->LineWidth = To->LineWidth;
    n->Next = To->Next;
    To->Next = n;
    THeadTreeNode* prev = From;
    while (prev->Next != From)
        prev = prev->Next;
    prev->Next = n;
    if (From->Host && From->Host->Child == From) From->Host->Child = n;
    n->Child = From;
    To->Next = From;
    int width = 0;
    THeadTreeNode* p = From;
    do {
        p->Host = n;
        p->Height -= AHeight;
        width += p->Width + n->LineWidth;
        p = p->Next;
    } while (p != From);
    n->Width = width - (n->LineWidth >= 1 ? n->LineWidth : 0);
    return n;
}

int WordStart(int N, const String& Text, const std::set<char>& Delimiters) {
    size_t i = 0, len = Text.size();
    int count = 0;
    while (i < len) {
        while (i < len && Delimiters.count(Text[i]))
            ++i;
        if (i < len) {
            if (++count == N) return static_cast<int>(i) + 1;
            while (i < len && !Delimiters.count(Text[i]))
                ++i;
        }
    }
    return 0;
}

String WordAtPos(int N, const String& Text, const std::set<char>& Delimiters, int& Pos) {
    Pos = WordStart(N, Text, Delimiters);
    if (Pos == 0) return String();
    size_t i = static_cast<size_t>(Pos - 1), e = i;
    while (e < Text.size() && !Delimiters.count(Text[e]))
        ++e;
    return Text.substr(i, e - i);
}

String WordAt(int N, const String& Text, const std::set<char>& Delimiters) {
    int pos;
    return WordAtPos(N, Text, Delimiters, pos);
}

// ---- the grid's title tree ----------------------------------------------------------------------

#include "grid/DBGridGx.h"
#include "grid/DBGridGxText.h"

namespace {
const std::set<char> TitleDelimiters{'|'};
}

THeadTreeNode* TCustomDBGridGx::TitleLeaf(int ColumnIndex) const {
    return ColumnIndex >= 0 && ColumnIndex < static_cast<int>(FTitleLeaves.size())
               ? FTitleLeaves[static_cast<size_t>(ColumnIndex)]
               : nullptr;
}

void TCustomDBGridGx::BuildTitleTree() {
    THeadTreeNode* root = FTitleRoot.get();
    root->FreeAllChildren();
    FTitleLeaves.clear();
    const bool lines = FOptions & dgColLines;
    const int height = RowsCount() > 0 ? RowHeightAt(0) : 0;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TColumnGx* col = FColumns->ColumnAt(i);
        int w = col->Visible() ? col->Width() : lines ? -1 : 0;
        THeadTreeNode* leaf = root->AppendChildNode(root, col->Title()->Caption(), w, height);
        leaf->Column = col;
        leaf->Indent = col->Title()->SortMarker() != smNoneGx ? 16 : 0;
        leaf->LineWidth = lines ? 1 : 0;
        FTitleLeaves.push_back(leaf);
    }
    const int n = static_cast<int>(FTitleLeaves.size());
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < n; ++i) {
            THeadTreeNode* leaf = FTitleLeaves[static_cast<size_t>(i)];
            const int p = WordStart(2, leaf->Text, TitleDelimiters);
            if (p == 0) continue;
            const String s = WordAt(1, leaf->Text, TitleDelimiters);
            int last = i;
            while (last + 1 < n && WordAt(1, FTitleLeaves[static_cast<size_t>(last + 1)]->Text, TitleDelimiters) == s)
                ++last;
            for (int k = i; k <= last; ++k) {
                String& t = FTitleLeaves[static_cast<size_t>(k)]->Text;
                t.erase(0, std::min(t.size(), static_cast<size_t>(p - 1)));
            }
            changed = true;
            THeadTreeNode* to = FTitleLeaves[static_cast<size_t>(last)];
            if (THeadTreeNode::NodeLevel(leaf) == THeadTreeNode::NodeLevel(to)) {
                root->InsertParent(leaf, to, 20, s);
                break;
            }
        }
    }
}

int TCustomDBGridGx::MeasureTitleTree(THeadTreeNode* Node) {
    if (!Node->Child) return 0;
    TCanvas* c = Canvas();
    TFont saved;
    saved.Assign(*c->Font());
    int a = 0;
    std::vector<std::pair<THeadTreeNode*, int>> totals;
    try {
        Node->ForEachChild([&](THeadTreeNode* ch) {
            const int sub = ch->Child ? MeasureTitleTree(ch) : 0;
            // A leaf is measured in its column's title font, a header in TitleFont, the fonts they
            // are painted in.
            c->Font()->Assign(ch->Column ? *ch->Column->Title()->Font() : *FTitleFont);
            const String text = ch->Text.empty() ? String(" ") : ch->Text;
            const int w = std::max(1, ch->Width - ch->Indent - 4);
            const bool vertical = ch->Column && ch->Column->Title()->Orientation() == tohVertical;
            int own;
            if (ch->Width <= 0) {
                own = vertical ? 0 : FVTitleMargin;
            } else if (vertical) {
                own = DrawRotatedCellText(c, TRect(0, 0, w, 0), false, 0, 0, text, taLeftJustify, tlBottom, false,
                                          true) +
                      6;
            } else {
                TRect r(0, 0, w, 0);
                own = c->DrawText(text, r, CellTextAlignFlags[taLeftJustify] | DT_WORDBREAK | DT_CALCRECT) +
                      FVTitleMargin;
            }
            a = std::max(a, sub + own);
        });
    } catch (...) {
        c->Font()->Assign(saved);
        throw;
    }
    c->Font()->Assign(saved);
    Node->ForEachChild([&](THeadTreeNode* ch) { ch->Height = ch->Child ? a - ch->Height : a; });
    Node->Height = a;
    return a;
}

TRect TCustomDBGridGx::LeafCaptionRect(const TRect& R, const THeadTreeNode* Leaf) {
    TRect r = R;
    r.Top = R.Bottom - Leaf->Height + 3;
    return r;
}

TRect TCustomDBGridGx::AncestorCellRect(const TRect& LeafArea, const THeadTreeNode* Leaf,
                                        const THeadTreeNode* Ancestor) const {
    const int rowLine = (FOptions & dgRowLines) ? 1 : 0;
    const int colLine = (FOptions & dgColLines) ? 1 : 0;
    TRect cell = LeafArea;
    for (const THeadTreeNode* n = Leaf; n->Host && n != Ancestor; n = n->Host) {
        const THeadTreeNode* p = n->Host;
        int left = cell.Left;
        for (const THeadTreeNode* s = p->Child; s != n; s = s->Next)
            left -= s->Width + colLine;
        const int bottom = cell.Top - rowLine;
        cell = TRect(left, bottom - p->Height, left + p->Width, bottom);
    }
    return cell;
}
