#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace rov2::test {

/// The child of @p parent called @p name, into @p found. A missing one is a
/// fatal failure of the test, so that a renamed control fails the test that
/// uses it instead of bringing the whole executable down; call it inside
/// ASSERT_NO_FATAL_FAILURE.
template <class T>
void ctl(const QObject* parent, const char* name, T*& found)
{
    found = parent ? parent->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    ASSERT_NE(found, nullptr) << "no control " << name;
}

/// Thrown by the returning form when a control is missing: GoogleTest
/// reports it as a failure of the running test and goes on with the next.
struct MissingControl : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

/// The same, returned, so that it can be used in a chain
/// (`ctl<QLineEdit>(screen, "txt住所1")->text()`): a missing control is a
/// failure naming it, and ends the test by MissingControl instead of being
/// dereferenced.
template <class T>
T* ctl(const QObject* parent, const char* name)
{
    T* found = parent ? parent->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    if (!found) {
        ADD_FAILURE() << "no control " << name;
        throw MissingControl(std::string("no control ") + name);
    }
    return found;
}

} // namespace rov2::test
