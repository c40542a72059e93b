// Guards for paired calls (BeginUpdate/EndUpdate, DisableControls/EnableControls, attaching and
// detaching a painter): the closing call is made when the scope ends, on a normal exit and when an
// exception passes through, instead of a catch-all that closes and rethrows.
//
// A closing call that raises on a normal exit reaches the caller as it would without the guard.
// One that raises while another exception is already passing is dropped, so the first error is
// the one that reaches the caller.
#pragma once

#include <exception>
#include <utility>

// Calls `close` when the scope ends.
template <class Close> class TScopeExit {
public:
    explicit TScopeExit(Close close) : FClose(std::move(close)) {}
    ~TScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() > FExceptions) {
            try {
                FClose();
            } catch (...) {
                // The exception already passing is the one the caller gets.
            }
        } else {
            FClose();
        }
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Close FClose;
    int FExceptions = std::uncaught_exceptions();
};

// BeginUpdate now, EndUpdate when the scope ends (string lists, collections, item lists).
template <class T> class TUpdateGuard {
public:
    explicit TUpdateGuard(T& target) : FEnd(Begin(target)) {}

private:
    struct End {
        T* Target;
        void operator()() const { Target->EndUpdate(); }
    };
    static End Begin(T& target) {
        target.BeginUpdate();
        return End{&target};
    }
    TScopeExit<End> FEnd;
};
