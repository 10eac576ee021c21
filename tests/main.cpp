// The core tests run in the process locale of the environment, as the
// desktop program does (Qt takes it over from the desktop): under
// LC_ALL=de_DE.UTF-8 the C library then formats and reads numbers with a
// decimal comma unless Kalvo's own helpers keep them apart.
#include <clocale>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
