#pragma once

#include <QString>

#include <gtest/gtest.h>

// Compares two texts of one record a line (campaign dumps), reporting the lines that differ.
::testing::AssertionResult SameDump(const QString& actual, const QString& expected);
