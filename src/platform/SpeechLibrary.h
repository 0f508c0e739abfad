#pragma once
// The optional speech library: when a shared library of that name can be loaded from the
// system's search path and has the routine "SoundMessage", the caret row's text is handed to
// it. A missing library or routine simply leaves speech off.
#include <string>

class TSpeechLibrary {
public:
    // The library's file name on this system.
    static const char* DefaultName();

    TSpeechLibrary() = default;
    ~TSpeechLibrary();
    TSpeechLibrary(const TSpeechLibrary&) = delete;
    TSpeechLibrary& operator=(const TSpeechLibrary&) = delete;

    // True when the library and its routine were found.
    bool Load(const std::string& name = DefaultName());
    void Unload();
    bool Loaded() const { return FRoutine != nullptr; }
    // Calls the routine with a zero-terminated text and 0.
    void Say(const std::string& text) const;

private:
    using TRoutine = void (*)(const char*, int);
    void* FHandle = nullptr;
    TRoutine FRoutine = nullptr;
};
