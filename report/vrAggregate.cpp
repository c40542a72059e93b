// Finding the aggregate calls of a page, accumulating rows and answering their values.
#include "report/vrAggregate.h"

#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cstring>

TvrAggregateFunction vrAggregateFunctionOf(const String& Name) {
    const String n = UpperCase(Trim(Name));
    if (n == "SUM") return agSum;
    if (n == "AVG") return agAvg;
    if (n == "MIN") return agMin;
    if (n == "MAX") return agMax;
    return agCount;
}

namespace {

bool IsNullish(const Variant& v) {
    return VarIsNull(v) || VarIsEmpty(v);
}

// Booleans count as 0 and 1 in sums and comparisons.
Variant Numeric(const Variant& v) {
    if (VarType(v) == varBoolean) return Variant(v.AsBoolean() ? 1 : 0);
    return v;
}

// Word-breaking characters of expressions: control characters, blank and operators.
bool InSkipSet(unsigned char c) {
    return (c >= 1 && c <= 32) || std::strchr("!#$%&*+,-./=[]^|", c) != nullptr || (c >= '0' && c <= '9');
}
bool InWordEnd(unsigned char c) {
    return (c >= 1 && c <= 32) || std::strchr("!#$%&(*+,-./=[]^|", c) != nullptr;
}

// The index of the bracket closing the one at Open (nesting counted, quotes skipped), or npos.
size_t MatchingClose(const String& s, size_t Open, char OpenCh, char CloseCh) {
    int depth = 0;
    for (size_t i = Open; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const size_t q = s.find(c, i + 1);
            if (q == String::npos) return String::npos;
            i = q;
        } else if (c == OpenCh) {
            ++depth;
        } else if (c == CloseCh) {
            if (--depth == 0) return i;
        }
    }
    return String::npos;
}

// The arguments of a call "NAME(a, b, c)", split at commas outside quotes and parentheses.
std::vector<String> SplitArguments(const String& Inner) {
    std::vector<String> args;
    String cur;
    int depth = 0;
    for (size_t i = 0; i < Inner.size(); ++i) {
        const char c = Inner[i];
        if (c == '"' || c == '\'') {
            const size_t q = Inner.find(c, i + 1);
            const size_t end = q == String::npos ? Inner.size() - 1 : q;
            cur += Inner.substr(i, end - i + 1);
            i = end;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            args.push_back(Trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!Trim(cur).empty() || !args.empty()) args.push_back(Trim(cur));
    return args;
}

constexpr int vrMaxScanDepth = 16;

} // namespace

bool vrSplitAggregateCall(const String& Text, String& Name, std::vector<String>& Args) {
    const String s = Trim(Text);
    const size_t paren = s.find('(');
    if (paren == String::npos || paren == 0 || s.back() != ')') return false;
    Name = UpperCase(s.substr(0, paren));
    if (!MatchText(Name, {"SUM", "MIN", "MAX", "AVG", "COUNT"})) return false;
    if (MatchingClose(s, paren, '(', ')') != s.size() - 1) return false;
    Args = SplitArguments(s.substr(paren + 1, s.size() - paren - 2));
    return true;
}

void TvrAggregateItem::Reset() {
    if (Running && Count != 0) return;
    Count = 0;
    Value = Null();
    ColumnValues.clear();
    ColumnCounts.clear();
}

void TvrAggregateItem::Combine(Variant& Into, const Variant& V) const {
    if (IsNullish(Into)) {
        Into = V;
        return;
    }
    if (IsNullish(V)) return;
    switch (Function) {
    case agSum:
    case agAvg:
        Into = Numeric(Into) + Numeric(V);
        break;
    case agMin:
        if (Numeric(V) < Numeric(Into)) Into = V;
        break;
    case agMax:
        if (Numeric(V) > Numeric(Into)) Into = V;
        break;
    case agCount:
        break;
    }
}

void TvrAggregateItem::Accumulate(Integer VerticalColumn) {
    if (!DataBand || (!DataBand->Visible() && !CountInvisible)) return;
    Variant v = Null();
    if (Function != agCount) {
        FReport->CurrentObjectName = MemoName;
        v = FReport->Calc(Expression);
        if (VarType(v) == varBoolean && v.AsBoolean()) v = 1;
    }
    const bool counts = !(Function == agAvg && IsNullish(v));
    if (VerticalColumn >= 1) {
        const size_t need = static_cast<size_t>(VerticalColumn) + 1;
        if (ColumnValues.size() < need) {
            ColumnValues.resize(need, Null());
            ColumnCounts.resize(need, 0);
        }
        if (counts) ++ColumnCounts[VerticalColumn];
        Combine(ColumnValues[VerticalColumn], v);
    } else if (Keeping) {
        if (counts) ++KeptCount;
        Combine(KeptValue, v);
    } else {
        LastCount = Count;
        LastValue = Value;
        if (counts) ++Count;
        Combine(Value, v);
    }
}

void TvrAggregateItem::UndoLast() {
    Count = LastCount;
    Value = LastValue;
}

void TvrAggregateItem::StartKeep() {
    if (!IsPageFooter || Keeping) return;
    Keeping = true;
    KeptCount = 0;
    KeptValue = Null();
}

void TvrAggregateItem::EndKeep() {
    if (!IsPageFooter || !Keeping) return;
    Keeping = false;
    Count += KeptCount;
    Combine(Value, KeptValue);
}

Variant TvrAggregateItem::GetValue() const {
    Variant value = Value;
    Integer count = Count;
    if (!ColumnValues.empty() || !ColumnCounts.empty()) {
        const bool inside = VColumn >= 0 && static_cast<size_t>(VColumn) < ColumnValues.size();
        value = inside ? ColumnValues[VColumn] : Null();
        count = inside ? ColumnCounts[VColumn] : 0;
    }
    Variant result;
    switch (Function) {
    case agAvg:
        result =
            count == 0 || IsNullish(value) ? Variant(Null()) : Variant(Numeric(value).AsDouble() / count);
        break;
    case agCount:
        result = count;
        break;
    default:
        result = value;
        break;
    }
    return IsNullish(result) ? Variant(0) : result;
}

// --- the list ---

void TvrAggregateList::AddBandChain(TvrBand* Band, TvrDataBand* DefaultBand) {
    for (TvrBand* b = Band; b; b = b->Child()) {
        for (TvrComponent* obj : b->Children())
            if (auto* memo = dynamic_cast<TvrCustomMemoView*>(obj)) AddItems(memo, DefaultBand);
        if (b->Child() == Band) break;
    }
}

void TvrAggregateList::AddDataBandTree(TvrDataBand* Band) {
    AddBandChain(Band->Footer, Band);
    if (Band->Group)
        for (TvrBand* header : Band->Group->NestedBands)
            AddBandChain(header->Footer, Band);
    if (Band->Vertical)
        for (TvrComponent* obj : Band->Children())
            if (auto* memo = dynamic_cast<TvrCustomMemoView*>(obj)) AddItems(memo, Band);
    for (TvrBand* detail : Band->NestedBands)
        if (auto* d = dynamic_cast<TvrDataBand*>(detail)) AddDataBandTree(d);
}

void TvrAggregateList::AddItemsOfPage(TvrReportPage* Page, const std::vector<TvrBand*>& Horizontal,
                                      const std::vector<TvrBand*>& Vertical) {
    for (const auto* list : {&Horizontal, &Vertical})
        for (TvrBand* b : *list)
            if (auto* d = dynamic_cast<TvrDataBand*>(b)) AddDataBandTree(d);
    if (Horizontal.empty()) return;
    auto* first = dynamic_cast<TvrDataBand*>(Horizontal.front());
    for (const meta::TClassInfo* cls :
         {&TvrPageFooter::StaticClassInfo(), &TvrColumnFooter::StaticClassInfo(),
          &TvrReportSummary::StaticClassInfo()})
        AddBandChain(Page->FindBand(*cls), first);
}

void TvrAggregateList::AddItems(TvrCustomMemoView* Memo, TvrDataBand* DefaultBand) {
    if (!Memo->AllowExpressions) return;
    const String delims = Memo->ExpressionDelimiters;
    const size_t comma = delims.find(',');
    if (comma == String::npos) return;
    const String open = delims.substr(0, comma), close = delims.substr(comma + 1);
    if (open.empty() || close.empty()) return;
    String text;
    for (int i = 0; i < Memo->Memo()->Count(); ++i) {
        if (i) text += "\r\n";
        text += WideToUtf8(Memo->Memo()->Strings(i));
    }
    size_t pos = 0;
    while ((pos = text.find(open, pos)) != String::npos) {
        String inner;
        Integer start = static_cast<Integer>(pos) + 1, endPos = start;
        ExtractBracketedText(text, open, close, inner, endPos, start);
        if (endPos <= start) {
            pos += open.size();
            continue;
        }
        ScanExpression(inner, Memo, DefaultBand, 0);
        pos = static_cast<size_t>(endPos);
    }
}

void TvrAggregateList::ScanExpression(const String& Text, TvrCustomMemoView* Memo, TvrDataBand* DefaultBand,
                                      int Depth) {
    // A variable naming itself through others would be scanned for ever.
    if (Depth > vrMaxScanDepth) return;
    const String s = Trim(Text);
    if (s.empty()) return;
    const int var = FReport->Variables()->IndexOf(s);
    if (var >= 0) {
        const Variant v = FReport->Variables()->GetItem(var)->Value;
        if (!IsNullish(v)) ScanExpression(v.AsString(), Memo, DefaultBand, Depth + 1);
        return;
    }
    {
        TvrDataSet* ds = nullptr;
        String field;
        FReport->GetDatasetAndField(s, ds, field);
        if (ds && !field.empty()) return;
    }
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 128 && InSkipSet(c)) {
            ++i;
        } else if (c == '"' || c == '\'') {
            const size_t q = s.find(static_cast<char>(c), i + 1);
            i = q == String::npos ? s.size() : q + 1;
        } else if (c == '(' || c == '<') {
            const char closeCh = c == '(' ? ')' : '>';
            const size_t end = MatchingClose(s, i, static_cast<char>(c), closeCh);
            const size_t stop = end == String::npos ? s.size() : end;
            ScanExpression(s.substr(i + 1, stop - i - 1), Memo, DefaultBand, Depth + 1);
            i = stop + 1;
        } else {
            size_t j = i;
            while (j < s.size()) {
                const unsigned char d = static_cast<unsigned char>(s[j]);
                if (d < 128 && InWordEnd(d)) break;
                ++j;
            }
            if (j == i) {
                ++i;
                continue;
            }
            const String word = s.substr(i, j - i);
            if (j < s.size() && s[j] == '(' &&
                MatchText(UpperCase(word), {"SUM", "MIN", "MAX", "AVG", "COUNT"})) {
                const size_t end = MatchingClose(s, j, '(', ')');
                const size_t stop = end == String::npos ? s.size() - 1 : end;
                AddCall(s.substr(i, stop - i + 1), Memo, DefaultBand);
                i = stop + 1;
            } else {
                const int v = FReport->Variables()->IndexOf(word);
                if (v >= 0) ScanExpression(word, Memo, DefaultBand, Depth + 1);
                i = j;
            }
        }
    }
}

void TvrAggregateList::AddCall(const String& CallText, TvrCustomMemoView* Memo, TvrDataBand* DefaultBand) {
    auto item = std::make_unique<TvrAggregateItem>(FReport);
    const String call = Trim(CallText);
    String name;
    std::vector<String> args;
    if (!vrSplitAggregateCall(call, name, args)) return;
    item->Function = vrAggregateFunctionOf(name);
    auto arg = [&](size_t k) { return k < args.size() ? args[k] : String(); };
    String bandName, flags;
    if (item->Function == agCount) {
        bandName = arg(0);
        flags = arg(1);
    } else {
        item->Expression = arg(0);
        bandName = arg(1);
        flags = arg(2);
    }
    TvrDataBand* band =
        bandName.empty() ? nullptr : dynamic_cast<TvrDataBand*>(FReport->FindObject(bandName));
    item->DataBand = band ? band : DefaultBand;
    const Integer f = flags.empty() ? 0 : StrToIntDef(flags, 0);
    item->CountInvisible = (f & 1) != 0;
    item->Running = (f & 2) != 0;
    item->MemoName = Memo->Name();
    item->CallText = call;
    auto* parent = dynamic_cast<TvrBand*>(Memo->Parent());
    item->DisplayBand = parent;
    if (parent && parent->Vertical) {
        // A cell that moved from a footer-like band into a vertical band shows in that footer.
        if (auto* home = dynamic_cast<TvrBand*>(Memo->SourceBand)) {
            const int kind = home->BandKindIndex();
            if (kind == 1 || kind == 3 || kind == 5 || kind == 13) item->DisplayBand = home;
        }
    }
    item->IsPageFooter = dynamic_cast<TvrPageFooter*>(item->DisplayBand) != nullptr;
    item->Reset();
    FItems.push_back(std::move(item));
}

void TvrAggregateList::AccumulateValue(TvrBand* DataBand, Integer VerticalColumn) {
    for (auto& item : FItems)
        if (item->DataBand == DataBand) item->Accumulate(VerticalColumn);
}

void TvrAggregateList::ResetBand(TvrBand* Band) {
    for (auto& item : FItems)
        if (item->DisplayBand == Band) item->Reset();
}

void TvrAggregateList::UndoLast(TvrBand* DataBand) {
    for (auto& item : FItems)
        if (item->DataBand == DataBand) item->UndoLast();
}

void TvrAggregateList::StartKeepAll() {
    for (auto& item : FItems)
        item->StartKeep();
}

void TvrAggregateList::EndKeepAll() {
    for (auto& item : FItems)
        item->EndKeep();
}

void TvrAggregateList::ResetAll() {
    for (auto& item : FItems) {
        const bool running = item->Running;
        item->Running = false;
        item->Reset();
        item->Running = running;
    }
}

Variant TvrAggregateList::AggregateValue(TvrBand* DisplayBand, Integer VerticalColumn, Integer Flags,
                                         TvrComponent* BandArgument, const String& ExpressionText,
                                         const String& FunctionName) {
    const TvrAggregateFunction fn = vrAggregateFunctionOf(FunctionName);
    const String expr = Trim(ExpressionText);
    for (auto& item : FItems) {
        if (item->DisplayBand != DisplayBand || item->Function != fn) continue;
        if (!SameText(item->Expression, expr)) continue;
        if (BandArgument && item->DataBand != BandArgument) continue;
        if (item->CountInvisible != ((Flags & 1) != 0) || item->Running != ((Flags & 2) != 0)) continue;
        item->VColumn = VerticalColumn;
        return item->GetValue();
    }
    return Null();
}
