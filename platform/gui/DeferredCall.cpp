#include "gui/DeferredCall.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <map>

namespace {
// The calls waiting, with a ticket each so that a discarded and re-posted call is not run by the
// queue entry of the discarded one.
struct TPending {
    unsigned Ticket;
    std::function<void()> Call;
};
std::map<const TControl*, TPending>& Pending() {
    static std::map<const TControl*, TPending> pending;
    return pending;
}
unsigned NextTicket = 0;
} // namespace

bool PostDeferredCall(TControl* Control, std::function<void()> Call) {
    if (Pending().count(Control)) return false;
    unsigned ticket = ++NextTicket;
    Pending()[Control] = {ticket, std::move(Call)};
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [Control, ticket] {
            auto it = Pending().find(Control);
            if (it == Pending().end() || it->second.Ticket != ticket) return;
            std::function<void()> call = std::move(it->second.Call);
            Pending().erase(it);
            call();
        },
        Qt::QueuedConnection);
    return true;
}

bool DeferredCallPending(const TControl* Control) { return Pending().count(Control) > 0; }

void DiscardDeferredCall(const TControl* Control) { Pending().erase(Control); }
