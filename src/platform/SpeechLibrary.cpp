#include "platform/SpeechLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

const char* TSpeechLibrary::DefaultName()
{
#if defined(_WIN32)
    return "SOUNDP.DLL";
#else
    return "libsoundp.so";
#endif
}

TSpeechLibrary::~TSpeechLibrary() { Unload(); }

bool TSpeechLibrary::Load(const std::string& name)
{
    Unload();
#if defined(_WIN32)
    HMODULE h = LoadLibraryA(name.c_str());
    if (h == nullptr)
        return false;
    FHandle = h;
    FRoutine = reinterpret_cast<TRoutine>(reinterpret_cast<void*>(GetProcAddress(h, "SoundMessage")));
#else
    FHandle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (FHandle == nullptr)
        return false;
    FRoutine = reinterpret_cast<TRoutine>(dlsym(FHandle, "SoundMessage"));
#endif
    if (FRoutine == nullptr)
        Unload();
    return Loaded();
}

void TSpeechLibrary::Unload()
{
    FRoutine = nullptr;
    if (FHandle == nullptr)
        return;
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(FHandle));
#else
    dlclose(FHandle);
#endif
    FHandle = nullptr;
}

void TSpeechLibrary::Say(const std::string& text) const
{
    if (FRoutine != nullptr)
        FRoutine(text.c_str(), 0);
}
