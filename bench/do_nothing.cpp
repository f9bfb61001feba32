// The floor bench_startup measures against: a C++ program that starts, touches the
// standard streams and ends.

#include <iostream>

int main()
{
    return std::cout.good() ? 0 : 1;
}
