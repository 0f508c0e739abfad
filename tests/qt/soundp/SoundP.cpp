// A stand-in speech library for the tests: remembers what it was asked to say.
#include <string>

namespace {
std::string gLast;
int gCalls = 0;
} // namespace

extern "C" {
__attribute__((visibility("default"))) void SoundMessage(const char* text, int mode)
{
    gLast = text != nullptr ? text : "";
    gCalls += mode == 0 ? 1 : 1000;
}
__attribute__((visibility("default"))) const char* LastSoundMessage() { return gLast.c_str(); }
__attribute__((visibility("default"))) int SoundMessageCalls() { return gCalls; }
}
