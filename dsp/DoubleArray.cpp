#include "DoubleArray.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}

void TFreeDoubles::operator()(double* p) const noexcept { std::free(p); }

TDoubleArray AllocateDoubles(std::size_t n)
{
    if (n > (static_cast<std::size_t>(-1) - kHugePage) / sizeof(double)) throw std::bad_alloc();
    const std::size_t bytes = n * sizeof(double);
    void* p = nullptr;
    if (bytes >= 2 * kHugePage) {
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        p = std::aligned_alloc(kHugePage, rounded);
        if (p) ::madvise(p, rounded, MADV_HUGEPAGE);  // a hint; fine if refused
    } else {
        p = std::malloc(bytes ? bytes : 1);
    }
    if (!p) throw std::bad_alloc();
    return TDoubleArray(static_cast<double*>(p));
}
