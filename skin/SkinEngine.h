// TSkinEngine: the skin engine of a program. A program makes one before its
// first form loads and keeps it until its forms are gone:
//
//     tf::TSkinEngine engine;   // then create the forms; their TSkinData
//                               // components skin the windows
//
// Making it wires the skin manager (the first skin data component to load
// makes it), the frames, caption buttons, menu bar and menus of every
// skinned window, and every control skinner family with the class tables.
// Destroying it undoes all of it in reverse order: every form and popup
// skinner detached and freed (window procedures restored), the window hook
// removed, the factories and tables reset. A skin data component that loads
// while no engine exists says so through its error path and stays unskinned.
//
// One engine at a time; user-interface thread only.
#pragma once

namespace tf {

class TSkinManage;

// What an engine wires. Programs take everything; a test of one layer may
// leave out the layers above it (the manager is always wired).
struct TSkinEngineParts {
    bool Chrome = true;     // caption buttons, menu bar, the skin's menus
    bool Controls = true;   // the control skinners and class tables
};

class TSkinEngine {
public:
    explicit TSkinEngine(TSkinEngineParts parts = TSkinEngineParts{});
    ~TSkinEngine();
    TSkinEngine(const TSkinEngine&) = delete;
    TSkinEngine& operator=(const TSkinEngine&) = delete;

    // The engine alive now, or null.
    static TSkinEngine* Current();
    // The skin manager, or null until a skin data component has loaded.
    TSkinManage* Manager() const;
    const TSkinEngineParts& Parts() const { return FParts; }

private:
    TSkinEngineParts FParts;
};

} // namespace tf
