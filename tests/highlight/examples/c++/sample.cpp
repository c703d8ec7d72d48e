// Sample C++ source
#include <stdio.h>
#define MAX(a, b) \
    ((a) > (b) ? (a) : (b))
#if VERSION /* a comment
   over two lines */ > 2
#endif

/* a block comment
   that spans lines */
static const char* message = "Hello, \"world\"\\";
const char* joined = "first part \
second part";

int main(int argc, char* argv[])
{
    double d = 1.5e-3 + 2.0f + .5;
    long h = 0x1F, o = 017, n = 10UL;
    int bad = 09 + 1e;
    char c = '\'';
    auto p = nullptr;
    if (argc >= 2 && argv[1][0] != '-') d *= 2;
    asm mov eax, 1;
    __asm /* statement comment
      still */ mov ebx, 2
    _asm
    {
        xor eax, eax /* block comment
           in asm */ nop
    }
    x = a @ b;
    return 0;
}
