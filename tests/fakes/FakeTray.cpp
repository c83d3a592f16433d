#include "tests/fakes/FakeTray.h"

namespace taktora::fake {

bool FakeTray::Add(const Image& picture, const std::string& tip) {
    calls.push_back({Op::Add, picture, tip});
    icon_.Replace(picture);
    if (!shellRunning || iconInShell) {
        return false;
    }
    iconInShell = true;
    shellTip = tip;
    return !addTimesOut;
}

bool FakeTray::Modify(const Image& picture, const std::string& tip) {
    calls.push_back({Op::Modify, picture, tip});
    icon_.Replace(picture);
    if (!shellRunning || !iconInShell) {
        return false;
    }
    shellTip = tip;
    return true;
}

void FakeTray::Delete() {
    calls.push_back({Op::Delete, {}, {}});
    if (shellRunning) {
        iconInShell = false;
    }
}

}  // namespace taktora::fake
