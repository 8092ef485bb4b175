#include <cstdio>
int main() { std::puts("Halyard 6.0 Build 08.0117.3!"); return 0; }
