#pragma once

#include <cstdint>
#include <initializer_list>

// The answers of the track slots that have a default, shared by both track
// adapters. Each takes the object and its arguments and touches nothing
// else but the values it is given to clear.
namespace trackslots {

template <typename Track> int32_t ReturnZero(Track *)
{
    return 0;
}

template <typename Track> int32_t ReturnZeroIgnoringArgument(Track *, void *)
{
    return 0;
}

template <typename Track> void ClearTwo(Track *, uint32_t *a, uint32_t *b)
{
    for (uint32_t *value : {a, b}) {
        if (value != nullptr)
            *value = 0;
    }
}

template <typename Track>
void ClearEight(Track *, uint32_t *a, uint32_t *b, uint32_t *c, uint32_t *d, uint32_t *e, uint32_t *f,
                uint32_t *g, uint32_t *h)
{
    for (uint32_t *value : {a, b, c, d, e, f, g, h}) {
        if (value != nullptr)
            *value = 0;
    }
}

} // namespace trackslots
