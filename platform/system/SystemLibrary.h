#pragma once

#include <string>

namespace platform {

// A system library loaded on first use rather than with the application, so that the start-up
// does not pay for mapping and relocating it. What it is for ("Sound", "Secure random bytes")
// begins every log line about it.
class SystemLibrary {
public:
    // Opens the library file; a library that cannot be opened is said in the log (at the
    // information level: the feature is merely missing) and leaves the object unloaded.
    SystemLibrary(const char* fileName, std::string purpose);

    bool isLoaded() const { return handle_ != nullptr; }

    // The library's function of that name, cast to the pointer type the caller names; nullptr,
    // said in the log, when the library has none.
    template <typename Pointer>
    Pointer call(const char* name) const {
        return reinterpret_cast<Pointer>(find(name));
    }

private:
    void* find(const char* name) const;

    const std::string fileName_;
    const std::string purpose_;
    void* handle_;  // kept open for the life of the process: the calls found must stay valid
};

// The process's one table of calls of that type, filled from the library on the first call
// and kept; nullptr when the library cannot be loaded or fill finds a call missing.
template <typename Table>
const Table* loadedCallTable(const char* fileName, const char* purpose, bool (*fill)(const SystemLibrary&, Table&)) {
    static const Table* const table = [&]() -> const Table* {
        static const SystemLibrary library(fileName, purpose);
        static Table calls;
        return library.isLoaded() && fill(library, calls) ? &calls : nullptr;
    }();
    return table;
}

}  // namespace platform

// A table of calls into a library is a struct with one DURIDOVE_LIBRARY_POINTER(name) field per
// function and a static loaded(); DURIDOVE_LIBRARY_LOADED defines loaded() to fill every field
// of the list from the library once, and to give nullptr when the library or a call is missing.
// DURIDOVE_LIBRARY_LOADED_THEN does the same and then calls start(const Table&) once, for a
// library that must be set up before its first use; a start that fails leaves it unusable.
#define DURIDOVE_LIBRARY_POINTER(name) decltype(&::name) name = nullptr;
#define DURIDOVE_LIBRARY_FIND(name)                         \
    calls.name = library.call<decltype(calls.name)>(#name); \
    complete = complete && calls.name != nullptr;
#define DURIDOVE_LIBRARY_LOADED_THEN(Table, CALLS, fileName, purpose, start)                               \
    const Table* Table::loaded() {                                                                        \
        return loadedCallTable<Table>(fileName, purpose, [](const SystemLibrary& library, Table& calls) { \
            bool complete = true;                                                                         \
            CALLS(DURIDOVE_LIBRARY_FIND)                                                                  \
            return complete && start(calls);                                                              \
        });                                                                                               \
    }
#define DURIDOVE_LIBRARY_LOADED(Table, CALLS, fileName, purpose) \
    DURIDOVE_LIBRARY_LOADED_THEN(Table, CALLS, fileName, purpose, [](const Table&) { return true; })
