// The dock manager: the docked controls of a site tiled with a grabber before each, the grabbers
// that start dock drags and close their control, and the arrangement as a stream.
#include "gui/Docking.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/DockAccess.h"
#include "gui/qt/QtSupport.h"
#include "rtl/Streams.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cstring>

// Named rather than anonymous: TDockTree::TZone (declared in the public header) holds a pointer to
// the grabber, and a member whose type has internal linkage is refused in a unity batch.
namespace dock_tree_detail {

// The strip before a docked control: its caption and a close box; dragging it moves the control
// to another site or out to float.
class TGrabberWidget : public QWidget {
public:
    TGrabberWidget(TControl* control, bool horizontal, QWidget* parent)
        : QWidget(parent), FControl(control), FHorizontal(horizontal) {
        setCursor(Qt::ArrowCursor);
    }
    void SetHorizontal(bool v) { FHorizontal = v; }
    TControl* Control() const { return FControl; }

    // The close box at the grabber's far end.
    QRect CloseBox() const {
        const int s = TDockTree::GrabberSize - 4;
        return FHorizontal ? QRect(2, 2, s, s) : QRect(width() - s - 2, 2, s, s);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(clBtnFace));
        p.setPen(ToQColor(clBtnShadow));
        const QRect box = CloseBox();
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(ToQColor(clBtnText));
        p.drawLine(box.left() + 2, box.top() + 2, box.right() - 2, box.bottom() - 2);
        p.drawLine(box.right() - 2, box.top() + 2, box.left() + 2, box.bottom() - 2);
        if (FHorizontal) {
            // Two raised lines along the strip.
            for (int x : {3, 7}) {
                p.setPen(ToQColor(clBtnHighlight));
                p.drawLine(x, box.bottom() + 4, x, height() - 3);
                p.setPen(ToQColor(clBtnShadow));
                p.drawLine(x + 1, box.bottom() + 4, x + 1, height() - 3);
            }
            return;
        }
        QFont f = p.font();
        f.setPixelSize(TDockTree::GrabberSize - 3);
        p.setFont(f);
        p.setPen(ToQColor(clBtnText));
        p.drawText(QRect(3, 0, box.left() - 6, height()), Qt::AlignVCenter | Qt::AlignLeft,
                   ToQString(FControl->Caption().empty() ? FControl->Name() : FControl->Caption()));
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        if (CloseBox().contains(e->position().toPoint())) {
            FClosing = true;
            return;
        }
        const QPoint g = e->globalPosition().toPoint();
        BeginDockDrag(FControl, Point(g.x(), g.y()));
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (DockDragControl() != FControl) return;
        const QPoint g = e->globalPosition().toPoint();
        DockDragMove(Point(g.x(), g.y()));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        if (FClosing) {
            FClosing = false;
            if (CloseBox().contains(e->position().toPoint())) {
                if (auto* form = dynamic_cast<TCustomForm*>(FControl))
                    form->Close();
                else
                    FControl->Hide();
            }
            return;
        }
        if (DockDragControl() != FControl) return;
        const QPoint g = e->globalPosition().toPoint();
        EndDockDrag(Point(g.x(), g.y()));
    }

private:
    TControl* FControl;
    bool FHorizontal;
    bool FClosing = false;
};

constexpr char StreamMagic[4] = {'O', 'D', 'K', '1'};

void WriteInt(TStream& s, Integer v) {
    s.WriteBuffer(&v, sizeof(v));
}

bool ReadInt(TStream& s, Integer& v) {
    return s.Read(&v, sizeof(v)) == static_cast<Int64>(sizeof(v));
}

} // namespace dock_tree_detail

using namespace dock_tree_detail;

struct TDockTree::TZone {
    TControl* Control = nullptr;
    int Size = 0;
    QPointer<TGrabberWidget> Grabber;
};

TDockTree::TDockTree(TWinControl* site) : FSite(site) {}

QWidget* TDockAccess::Grabber(const TDockTree* tree, TControl* control) {
    const TDockTree::TZone* z = tree->ZoneOf(control);
    return z ? z->Grabber.data() : nullptr;
}

TDockTree::~TDockTree() {
    for (auto& z : FZones)
        delete z->Grabber.data();
}

bool TDockTree::Horizontal() const {
    return FSite->Align() == alTop || FSite->Align() == alBottom;
}

TDockTree::TZone* TDockTree::ZoneOf(TControl* control) const {
    for (const auto& z : FZones)
        if (z->Control == control) return z.get();
    return nullptr;
}

std::vector<TControl*> TDockTree::Controls() const {
    std::vector<TControl*> v;
    for (const auto& z : FZones)
        v.push_back(z->Control);
    return v;
}

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) {
    if (ZoneOf(control)) RemoveControl(control);
    auto zone = std::make_unique<TZone>();
    zone->Control = control;
    zone->Size = (Horizontal() ? control->Width() : control->Height()) + GrabberSize;
    zone->Grabber = new TGrabberWidget(control, Horizontal(), TControlAccess::Client(FSite));
    auto at = FZones.end();
    for (auto it = FZones.begin(); it != FZones.end(); ++it)
        if ((*it)->Control == dropControl) {
            at = insertAt == alLeft || insertAt == alTop ? it : it + 1;
            break;
        }
    FZones.insert(at, std::move(zone));
    control->SetAlign(alNone);
    ResetBounds();
}

void TDockTree::RemoveControl(TControl* control) {
    for (auto it = FZones.begin(); it != FZones.end(); ++it)
        if ((*it)->Control == control) {
            delete (*it)->Grabber.data();
            FZones.erase(it);
            FRemoved = true;
            break;
        }
    ResetBounds();
}

TRect TDockTree::GrabberRect(TControl* control) const {
    const TZone* z = ZoneOf(control);
    if (!z || !z->Grabber || z->Grabber->isHidden()) return TRect();
    const QRect g = z->Grabber->geometry();
    return Bounds(g.x(), g.y(), g.width(), g.height());
}

// Each visible control gets a share of the site's length in proportion to its size, the last
// one the rest; its grabber goes before it.
void TDockTree::ResetBounds() {
    if (FSite->ComponentState().Contains(csDestroying)) return;
    TRect r = FSite->ClientRect();
    std::vector<TZone*> shown;
    for (auto& z : FZones) {
        if (z->Grabber) z->Grabber->SetHorizontal(Horizontal());
        if (z->Control->Visible())
            shown.push_back(z.get());
        else if (z->Grabber)
            z->Grabber->hide();
    }
    if (shown.empty()) {
        // A site whose last control left or hid shrinks when it sizes itself.
        if (!FZones.empty() || FRemoved) TDockAccess::EmptiedSite(FSite);
        FRemoved = false;
        return;
    }
    FRemoved = false;
    // A site that shrank to nothing while its controls were hidden grows for the first one shown.
    if (TDockAccess::SiteLength(FSite) == 0) {
        TDockAccess::GrowToFit(FSite, shown.front()->Control);
        r = FSite->ClientRect();
    }
    const bool horizontal = Horizontal();
    const int length = horizontal ? r.Width() : r.Height();
    long long total = 0;
    for (TZone* z : shown)
        total += std::max(1, z->Size);
    int pos = horizontal ? r.Left : r.Top;
    const int end = pos + length;
    for (size_t i = 0; i < shown.size(); ++i) {
        TZone* z = shown[i];
        const int extent =
            i + 1 == shown.size()
                ? end - pos
                : static_cast<int>(static_cast<long long>(length) * std::max(1, z->Size) / total);
        const int inner = std::max(0, extent - GrabberSize);
        QRect grabber;
        if (horizontal) {
            grabber = QRect(pos, r.Top, GrabberSize, r.Height());
            z->Control->SetBounds(pos + GrabberSize, r.Top, inner, r.Height());
        } else {
            grabber = QRect(r.Left, pos, r.Width(), GrabberSize);
            z->Control->SetBounds(r.Left, pos + GrabberSize, r.Width(), inner);
        }
        if (z->Grabber) {
            z->Grabber->setGeometry(grabber);
            z->Grabber->show();
            z->Grabber->raise();
            z->Grabber->update();
        }
        z->Size = extent;
        pos += extent;
    }
}

TControl* TDockTree::ControlAt(const TPoint& client, TAlign& side) const {
    for (const auto& z : FZones) {
        TControl* c = z->Control;
        if (!c->Visible()) continue;
        TRect r = c->BoundsRect();
        if (Horizontal())
            r.Left -= GrabberSize;
        else
            r.Top -= GrabberSize;
        if (!PtInRect(r, client)) continue;
        if (Horizontal())
            side = client.X < (r.Left + r.Right) / 2 ? alLeft : alRight;
        else
            side = client.Y < (r.Top + r.Bottom) / 2 ? alTop : alBottom;
        return c;
    }
    side = alNone;
    return nullptr;
}

void TDockTree::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(StreamMagic, sizeof(StreamMagic));
    WriteInt(stream, static_cast<Integer>(FZones.size()));
    for (const auto& z : FZones) {
        const String name = z->Control->Name();
        WriteInt(stream, static_cast<Integer>(name.size()));
        if (!name.empty()) stream.WriteBuffer(name.data(), static_cast<Int64>(name.size()));
        WriteInt(stream, z->Size);
        WriteInt(stream, z->Control->Visible() ? 1 : 0);
    }
}

bool TDockTree::LoadFromStream(TStream& stream) {
    struct TSaved {
        String Name;
        Integer Size = 0;
        bool Visible = true;
    };
    // The whole arrangement is read first: a stream that is no arrangement changes nothing.
    char magic[sizeof(StreamMagic)];
    if (stream.Read(magic, sizeof(magic)) != static_cast<Int64>(sizeof(magic)) ||
        std::memcmp(magic, StreamMagic, sizeof(magic)) != 0)
        return false;
    Integer count = 0;
    if (!ReadInt(stream, count) || count < 0 || count > 1000) return false;
    std::vector<TSaved> saved(static_cast<size_t>(count));
    for (TSaved& s : saved) {
        Integer length = 0, visible = 0;
        if (!ReadInt(stream, length) || length < 0 || length > 1024) return false;
        s.Name.resize(static_cast<size_t>(length));
        if (length > 0 && stream.Read(s.Name.data(), length) != length) return false;
        if (!ReadInt(stream, s.Size) || !ReadInt(stream, visible)) return false;
        s.Visible = visible != 0;
    }
    // The named controls dock here, then take their saved places, sizes and visibility.
    std::vector<std::pair<TControl*, const TSaved*>> found;
    for (const TSaved& s : saved) {
        TControl* control = nullptr;
        FSite->ReloadDockedControl(s.Name, control);
        if (!control || control == FSite) continue;
        if (std::any_of(found.begin(), found.end(), [control](const auto& f) { return f.first == control; }))
            continue;
        if (control->HostDockSite() != FSite && !control->ManualDock(FSite)) continue;
        if (ZoneOf(control)) found.emplace_back(control, &s);
    }
    std::vector<std::unique_ptr<TZone>> ordered;
    for (const auto& [control, s] : found)
        for (auto& z : FZones)
            if (z && z->Control == control) {
                z->Size = s->Size;
                ordered.push_back(std::move(z));
            }
    for (auto& z : FZones)
        if (z) ordered.push_back(std::move(z));
    FZones = std::move(ordered);
    for (const auto& [control, s] : found)
        control->SetVisible(s->Visible);
    ResetBounds();
    return true;
}
