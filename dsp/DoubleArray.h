// Arrays of doubles for long signals. Large ones are asked to live on huge
// pages: a ten-minute import touches about a gigabyte, and faulting that in
// 4 KiB at a time costs more than the arithmetic.
#pragma once

#include <cstddef>
#include <memory>

struct TFreeDoubles {
    void operator()(double* p) const noexcept;
};

using TDoubleArray = std::unique_ptr<double[], TFreeDoubles>;

// Uninitialised storage for n doubles; throws std::bad_alloc.
TDoubleArray AllocateDoubles(std::size_t n);
