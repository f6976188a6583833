// Entry point. Grows into the full start-up as the shell lands.
#include "engine/Random.h"
#include "platform/Platform.h"

int main() {
    brx::seedRandom(platform::tickCountMs());
    return 0;
}
