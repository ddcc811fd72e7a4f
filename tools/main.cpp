#include "Screenshots.h"

int main(int argc, char* argv[])
{
    return Screenshots::run(argc, argv);
}
