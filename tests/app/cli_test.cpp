// The command-line program answers --help and --version.
#include <gtest/gtest.h>

TEST(Placeholder, Builds) { SUCCEED(); }
