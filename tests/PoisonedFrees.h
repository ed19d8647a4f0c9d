// Freed memory is overwritten and held back for a while before it goes back
// to the heap, so that a use after free reads garbage instead of the object
// that was there (or a new one in its place) and fails visibly. Replaces the
// global operator new and delete: include in exactly one source file of a
// test program.
#pragma once
#include <windows.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace tftest::poison {

constexpr unsigned char Pattern = 0xDB;
constexpr size_t Held = 4096;   // freed blocks held back, oldest returned first

inline volatile LONG busy = 0;
inline void* held[Held] = {};
inline size_t next = 0;

inline void Release(void* p)
{
    if (!p) return;
    std::memset(p, Pattern, _msize(p));
    while (::InterlockedExchange(&busy, 1)) ::Sleep(0);
    void* oldest = held[next];
    held[next] = p;
    next = (next + 1) % Held;
    ::InterlockedExchange(&busy, 0);
    std::free(oldest);
}

} // namespace tftest::poison

void* operator new(std::size_t size)
{
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { tftest::poison::Release(p); }
void operator delete[](void* p) noexcept { tftest::poison::Release(p); }
void operator delete(void* p, std::size_t) noexcept { tftest::poison::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { tftest::poison::Release(p); }
