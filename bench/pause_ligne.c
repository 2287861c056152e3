/* Reference: one 1 ms sleep and one written line, what a conversion run must do. */
#include <time.h>
#include <unistd.h>

int main(void)
{
    struct timespec t = {0, 1000000};
    nanosleep(&t, 0);
    return write(1, "0.512000000000000011\r\n", 22) == 22 ? 0 : 1;
}
