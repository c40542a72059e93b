// Tree view over QTreeWidget: nodes with text, images, data and children; selection events.
#include "gui/ComCtrls.h"

#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/ImageListIcons.h"
#include "gui/qt/QtSupport.h"
#include "rtl/ScopeGuards.h"

#include <QHeaderView>
#include <QTreeWidget>

struct TTreeAccess {
    static QTreeWidgetItem* Item(const TTreeNode* n) { return static_cast<QTreeWidgetItem*>(n->FItem); }
    static QTreeWidget* Tree(const TTreeView* t) { return TControlAccess::As<QTreeWidget>(t); }
    static TTreeNode* NodeOf(const TTreeView* t, QTreeWidgetItem* item) {
        if (!item) return nullptr;
        return static_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<void*>());
        (void)t;
    }
    static void SelectionChanged(TTreeView* t) {
        TTreeNode* n = t->Selected();
        if (n == t->FLastSelected) return;
        t->FLastSelected = n;
        if (t->OnChange) t->OnChange(t, n);
    }
    // The node's image, and its selected image while selected, from the tree's Images.
    static void ApplyIcon(TTreeNode* n) {
        if (QTreeWidgetItem* item = Item(n))
            item->setIcon(0, ImageListIcon(n->FTree->Images(), n->FImageIndex, nullptr, n->FSelectedIndex));
    }
};

// ---------------------------------------------------------------------------------------------
// Nodes

void TTreeNode::SetText(const String& v) {
    FText = v;
    TTreeAccess::Item(this)->setText(0, ToQString(v));
}

void TTreeNode::SetImageIndex(int v) {
    FImageIndex = v;
    TTreeAccess::ApplyIcon(this);
}

void TTreeNode::SetSelectedIndex(int v) {
    FSelectedIndex = v;
    TTreeAccess::ApplyIcon(this);
}

TTreeNode* TTreeNode::Item(int Index) const {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FChildren[static_cast<size_t>(Index)].get();
}

TTreeNodes* TTreeNode::Owner() const {
    return FTree->Items();
}

int TTreeNode::Index() const {
    auto& sib = FTree->Items()->SiblingsOf(FParent);
    for (size_t i = 0; i < sib.size(); ++i)
        if (sib[i].get() == this) return static_cast<int>(i);
    return -1;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    auto& sib = FTree->Items()->SiblingsOf(FParent);
    int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(sib.size()) ? sib[static_cast<size_t>(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    auto& sib = FTree->Items()->SiblingsOf(FParent);
    int i = Index();
    return i > 0 ? sib[static_cast<size_t>(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

int TTreeNode::Level() const {
    int l = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent)
        ++l;
    return l;
}

int TTreeNode::AbsoluteIndex() const {
    int i = 0;
    for (TTreeNode* n = FTree->Items()->GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this) return i;
    return -1;
}

bool TTreeNode::Expanded() const {
    return TTreeAccess::Item(this)->isExpanded();
}
void TTreeNode::SetExpanded(bool v) {
    if (v == Expanded()) return;
    TTreeAccess::Item(this)->setExpanded(v);
}
void TTreeNode::Expand(bool Recurse) {
    SetExpanded(true);
    if (Recurse)
        for (auto& c : FChildren)
            c->Expand(true);
}
void TTreeNode::Collapse(bool Recurse) {
    SetExpanded(false);
    if (Recurse)
        for (auto& c : FChildren)
            c->Collapse(true);
}

bool TTreeNode::Selected() const {
    return FTree->Selected() == this;
}
void TTreeNode::SetSelected(bool v) {
    if (v)
        FTree->SetSelected(this);
    else if (Selected())
        FTree->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
    for (TTreeNode* p = FParent; p; p = p->FParent)
        p->SetExpanded(true);
    TTreeAccess::Tree(FTree)->scrollToItem(TTreeAccess::Item(this));
}

void TTreeNode::Delete() {
    FTree->Items()->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (!FChildren.empty())
        FTree->Items()->Delete(FChildren.back().get());
}

// ---------------------------------------------------------------------------------------------
// The node list

TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* parent) {
    return parent ? parent->FChildren : FRoots;
}

int TTreeNodes::Count() const {
    int n = 0;
    for (TTreeNode* x = GetFirstNode(); x; x = x->GetNext())
        ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int Index) const {
    int i = 0;
    for (TTreeNode* x = GetFirstNode(); x; x = x->GetNext(), ++i)
        if (i == Index) return x;
    ListIndexError(Index);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* parent, int index, const String& s, void* ptr) {
    auto& sib = SiblingsOf(parent);
    index = std::clamp(index, 0, static_cast<int>(sib.size()));
    std::unique_ptr<TTreeNode> node(new TTreeNode(FTree, parent));
    node->FText = s;
    node->FData = ptr;
    auto* item = new QTreeWidgetItem(QStringList(ToQString(s))); // owned by the tree widget
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(node.get())));
    node->FItem = item;
    QTreeWidget* tree = TTreeAccess::Tree(FTree);
    {
        TApplyGuard guard(FTree);
        if (parent)
            TTreeAccess::Item(parent)->insertChild(index, item);
        else
            tree->insertTopLevelItem(index, item);
    }
    TTreeNode* raw = node.get();
    sib.insert(sib.begin() + index, std::move(node));
    TTreeAccess::ApplyIcon(raw);
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) {
    return AddObject(Sibling, S, nullptr);
}
TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr) {
    TTreeNode* parent = Sibling ? Sibling->Parent() : nullptr;
    return InsertNode(parent, static_cast<int>(SiblingsOf(parent).size()), S, Ptr);
}
TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) {
    return AddChildObject(Parent, S, nullptr);
}
TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr) {
    return InsertNode(Parent, static_cast<int>(SiblingsOf(Parent).size()), S, Ptr);
}
TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const String& S) {
    return InsertNode(Sibling ? Sibling->Parent() : nullptr, 0, S, nullptr);
}
TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& S) {
    return InsertNode(Parent, 0, S, nullptr);
}
TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
    if (!Sibling) return Add(nullptr, S);
    return InsertNode(Sibling->Parent(), Sibling->Index(), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node) return;
    const bool wasSelected = FTree->FLastSelected && (FTree->FLastSelected == Node);
    Node->DeleteChildren();
    auto& sib = SiblingsOf(Node->Parent());
    auto it = std::find_if(sib.begin(), sib.end(), [Node](auto& p) { return p.get() == Node; });
    if (it == sib.end()) return;
    QTreeWidgetItem* item = TTreeAccess::Item(Node);
    std::unique_ptr<TTreeNode> owned = std::move(*it);
    sib.erase(it);
    if (FTree->FLastSelected == Node) FTree->FLastSelected = nullptr;
    delete item; // leaves the tree widget; the selection may move
    if (wasSelected || FTree->Selected() != FTree->FLastSelected) TTreeAccess::SelectionChanged(FTree);
}

void TTreeNodes::Clear() {
    const TUpdateGuard updating(*this);
    while (!FRoots.empty())
        Delete(FRoots.back().get());
}

void TTreeNodes::BeginUpdate() {
    TTreeAccess::Tree(FTree)->setUpdatesEnabled(false);
}
void TTreeNodes::EndUpdate() {
    TTreeAccess::Tree(FTree)->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// The view

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    auto* tree = new QTreeWidget();
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    TControlAccess::SetWidget(this, tree);
    TControlAccess::I(this).ClickEvents = true;
    FItems = std::make_unique<TTreeNodes>(this);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, tree, [this] {
        try {
            TTreeAccess::SelectionChanged(this);
        } catch (...) {
            Application()->HandleException(this);
        }
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [this](QTreeWidgetItem* i) {
        if (OnExpanded) OnExpanded(this, TTreeAccess::NodeOf(this, i));
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [this](QTreeWidgetItem* i) {
        if (OnCollapsed) OnCollapsed(this, TTreeAccess::NodeOf(this, i));
    });
}

TTreeView::~TTreeView() {
    Destroying();
    TControlAccess::Widget(this)->blockSignals(true);
    FImageLink.reset();
    FItems.reset();
}

void TTreeView::SetImages(TCustomImageList* v) {
    FollowImageList(FImages, v, FImageLink, [this] { UpdateImages(); });
}

void TTreeView::UpdateImages() {
    if (ComponentState().Contains(csDestroying)) return;
    TTreeAccess::Tree(this)->setIconSize(FImages ? QSize(FImages->Width(), FImages->Height()) : QSize());
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
        TTreeAccess::ApplyIcon(n);
}

TTreeNode* TTreeView::Selected() const {
    QTreeWidget* tree = TTreeAccess::Tree(this);
    auto sel = tree->selectedItems();
    return sel.isEmpty() ? nullptr : TTreeAccess::NodeOf(this, sel.first());
}

void TTreeView::SetSelected(TTreeNode* v) {
    QTreeWidget* tree = TTreeAccess::Tree(this);
    if (v && OnChanging) {
        bool allow = true;
        OnChanging(this, v, allow);
        if (!allow) return;
    }
    if (v) {
        tree->setCurrentItem(TTreeAccess::Item(v));
        TTreeAccess::Item(v)->setSelected(true);
    } else {
        tree->clearSelection();
    }
    TTreeAccess::SelectionChanged(this);
}

void TTreeView::SetShowRoot(bool v) {
    FShowRoot = v;
    TTreeAccess::Tree(this)->setRootIsDecorated(v);
}

void TTreeView::FullExpand() {
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling())
        n->Expand(true);
}

void TTreeView::FullCollapse() {
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling())
        n->Collapse(true);
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
    return TTreeAccess::NodeOf(this, TTreeAccess::Tree(this)->itemAt(X, Y));
}

TTreeNode* TTreeView::TopItem() const {
    return GetNodeAt(1, 1);
}

bool TTreeView::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}
