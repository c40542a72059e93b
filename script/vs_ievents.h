// Event adapters: a script assigns one of its procedures to an event of a host object by name
// (Button1.OnClick := 'Button1Click'); the host's event then calls an adapter, which copies the
// event's arguments into the procedure's parameters, runs it and copies var arguments back.
//
// Host events are std::function slots. One adapter template serves every event type: objects
// travel as object handles, integers, enumerations and sets as integers, characters (char,
// char16_t, char32_t) as one-character texts; arguments the event passes by non-const reference
// (Key, CanClose, Action, NewWidth ...) get the value of the procedure's parameter back after the
// call.
#pragma once

#include "classes/MetaProps.h"
#include "classes/ObjectHandles.h"
#include "classes/Set.h"
#include "rtl/CodePage.h"
#include "rtl/Events.h"
#include "script/vs_iinterpreter.h"

#include <tuple>
#include <type_traits>
#include <utility>

// An installed handler: the script procedure and the host object whose event it serves.
class TvsCustomEvent : public TObject {
public:
    TvsCustomEvent(TObject* Instance, TvsProcVariable* Handler) : FHandler(Handler), FInstance(Instance) {}
    String ClassName() const override { return "TvsCustomEvent"; }
    // The handler to install on the host event.
    virtual meta::TMethodValue HandlerAddress() = 0;
    // Runs the procedure with the arguments (nothing when it is running already).
    void RunHandler(const std::vector<Variant>& Args);
    TvsProcVariable* Handler() const { return FHandler; }
    TObject* Instance() const { return FInstance; }

protected:
    TvsProcVariable* FHandler;
    TObject* FInstance;
};

// What AddEvent takes: makes the adapters of one event type.
class TvsEventAdapterClass {
public:
    virtual ~TvsEventAdapterClass() = default;
    virtual TvsCustomEvent* Create(TObject* Instance, TvsProcVariable* Handler) const = 0;
};

namespace vsdetail {

template <class T> Variant EventArg(const T& V) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_pointer_v<U> && std::is_base_of_v<TObject, std::remove_pointer_t<U>>)
        return vsObjectToVariant(const_cast<TObject*>(static_cast<const TObject*>(V)));
    else if constexpr (std::is_same_v<U, bool>)
        return Variant(V);
    else if constexpr (std::is_same_v<U, char>)
        return Variant(String(1, V));
    else if constexpr (std::is_same_v<U, char16_t> || std::is_same_v<U, char32_t>) {
        // A character of the platform's key events: a one-character text.
        String text;
        Utf8Append(text, static_cast<char32_t>(V));
        return Variant(text);
    } else if constexpr (std::is_enum_v<U>)
        return Variant(static_cast<Integer>(V));
    else if constexpr (std::is_integral_v<U>)
        return Variant(static_cast<Integer>(V));
    else if constexpr (std::is_floating_point_v<U>)
        return Variant(static_cast<double>(V));
    else if constexpr (std::is_same_v<U, String>)
        return Variant(V);
    else if constexpr (requires { V.Bits(); })
        return Variant(static_cast<Integer>(V.Bits()));
    else
        return Null();
}

template <class T> void EventArgBack(T& Target, const Variant& V) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, bool>)
        Target = V.AsBoolean();
    else if constexpr (std::is_same_v<U, char>) {
        const String s = V.AsString();
        Target = s.empty() ? '\0' : s[0];
    } else if constexpr (std::is_same_v<U, char16_t>) {
        const WideString text = Utf8ToWide(V.AsString());
        Target = text.empty() ? u'\0' : text[0];
    } else if constexpr (std::is_same_v<U, char32_t>) {
        const String text = V.AsString();
        char32_t cp = 0;
        Target = !text.empty() && Utf8Decode(text, 0, cp) ? cp : U'\0';
    } else if constexpr (std::is_enum_v<U>)
        Target = static_cast<U>(V.AsInteger());
    else if constexpr (std::is_integral_v<U>)
        Target = static_cast<U>(V.AsInteger());
    else if constexpr (std::is_floating_point_v<U>)
        Target = static_cast<U>(V.AsDouble());
    else if constexpr (std::is_same_v<U, String>)
        Target = V.AsString();
    else if constexpr (requires { U::FromBits(0); })
        Target = U::FromBits(static_cast<UInt64>(V.AsInt64()));
}

template <class T>
constexpr bool IsOut = std::is_lvalue_reference_v<T> && !std::is_const_v<std::remove_reference_t<T>>;

} // namespace vsdetail

template <class F> class TvsEventAdapter;

template <class... A> class TvsEventAdapter<std::function<void(A...)>> : public TvsCustomEvent {
public:
    using TEvent = std::function<void(A...)>;
    using TvsCustomEvent::TvsCustomEvent;
    String ClassName() const override { return "TvsEventAdapter"; }

    meta::TMethodValue HandlerAddress() override {
        // The handler holds the adapter's handle, not the adapter: an event fired after the
        // script freed its adapters does nothing.
        const Integer handle = ObjectToHandle(this);
        return meta::TMethodValue(TEvent([handle](A... args) {
            if (!IsValidObjectHandle(handle)) return;
            auto* self = static_cast<TvsEventAdapter*>(HandleToObject(handle));
            self->Fire(std::forward<A>(args)...);
        }));
    }

    void Fire(A... args) {
        if (FHandler->Executing()) return;
        auto refs = std::forward_as_tuple(args...);
        std::vector<Variant> values{vsdetail::EventArg(args)...};
        RunHandler(values);
        CopyBack(refs, std::index_sequence_for<A...>{});
    }

private:
    template <class Tuple, size_t... I> void CopyBack(Tuple& Refs, std::index_sequence<I...>) {
        (CopyOne<I, A>(Refs), ...);
    }
    template <size_t I, class T, class Tuple> void CopyOne(Tuple& Refs) {
        if constexpr (vsdetail::IsOut<T>) {
            if (static_cast<Integer>(I) < FHandler->ParamCount())
                vsdetail::EventArgBack(std::get<I>(Refs), FHandler->Param(static_cast<Integer>(I))->Value());
        }
    }
};

template <class F> class TvsEventAdapterClassOf : public TvsEventAdapterClass {
public:
    TvsCustomEvent* Create(TObject* Instance, TvsProcVariable* Handler) const override {
        return new TvsEventAdapter<F>(Instance, Handler);
    }
};

// The adapter class of the event type F (a std::function type).
template <class F> const TvsEventAdapterClass* vsEventAdapter() {
    static const TvsEventAdapterClassOf<F> cls;
    return &cls;
}

using TvsNotifyEvent = TvsEventAdapter<TNotifyEvent>;
