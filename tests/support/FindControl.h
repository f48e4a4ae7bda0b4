#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

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

} // namespace rov2::test
