#include "shell/ScreenHost.h"

namespace brx {

namespace {
ScreenHost* gHost = nullptr;
}

ScreenHost* screenHost() {
    return gHost;
}

void setScreenHost(ScreenHost* host) {
    gHost = host;
}

}  // namespace brx
