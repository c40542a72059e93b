// Helpers shared by the Variant tests: a readable description of a Variant and a check of an
// outcome (a value of a given type, or an exception of a given class and message).
#pragma once

#include "rtl/Variant.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Type and text of a Variant, for failure messages.
inline String Describe(const Variant& v) {
    String text;
    try {
        text = VarIsArray(v) ? String("[array]") : VarToStr(v);
    } catch (const std::exception&) {
        text = "?";
    }
    return VarTypeAsText(VarType(v)) + " " + text;
}

inline void PrintTo(const Variant& v, std::ostream* os) {
    *os << Describe(v);
}

// The expected outcome of an operation: a value (same type code and equal value), or an error.
struct Outcome {
    Variant value;
    const char* error = nullptr; // expected message; nullptr when a value is expected
    bool (*isExpectedClass)(const std::exception&) = nullptr;
};

template <class E> bool IsA(const std::exception& e) {
    return dynamic_cast<const E*>(&e) != nullptr;
}

inline Outcome Gives(const Variant& v) {
    return Outcome{v};
}

template <class E> Outcome Raises(const char* message) {
    return Outcome{Variant(), message, &IsA<E>};
}

inline ::testing::AssertionResult SameTypeAndValue(const Variant& actual, const Variant& expected) {
    if (VarType(actual) != VarType(expected))
        return ::testing::AssertionFailure()
               << "got " << Describe(actual) << ", expected " << Describe(expected);
    if (VarType(actual) == varDispatch) {
        if (actual.AsDispatch() == expected.AsDispatch()) return ::testing::AssertionSuccess();
    } else if (VarIsNull(actual) || VarIsEmpty(actual) || VarSameValue(actual, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << Describe(actual) << ", expected " << Describe(expected);
}

// Runs f and checks its outcome.
inline ::testing::AssertionResult Check(const std::function<Variant()>& f, const Outcome& expected) {
    try {
        const Variant r = f();
        if (expected.error)
            return ::testing::AssertionFailure()
                   << "got " << Describe(r) << ", expected error \"" << expected.error << "\"";
        return SameTypeAndValue(r, expected.value);
    } catch (const std::exception& e) {
        if (!expected.error)
            return ::testing::AssertionFailure()
                   << "raised \"" << e.what() << "\", expected " << Describe(expected.value);
        if (!expected.isExpectedClass(e) || String(e.what()) != expected.error)
            return ::testing::AssertionFailure() << "raised \"" << e.what() << "\" (" << typeid(e).name()
                                                 << "), expected \"" << expected.error << "\"";
        return ::testing::AssertionSuccess();
    }
}
