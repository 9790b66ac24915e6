#pragma once
// Finds a window's control by its object name, failing the test when it is missing.

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace vantrel::test {

template <typename T>
T* FindNamed(const QObject* root, const char* name) {
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

}  // namespace vantrel::test
